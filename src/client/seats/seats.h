#pragma once

#include "client/client_state.h"
#include "net/game_messages.h"

#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <map>

class ClientOutbox;
class QListWidget;
class QWidget;

// The five seats at the table and the spies who watch: who sits where, the
// presence marks (eyes, chalk), the racks and score labels the game fills, and
// the host player's seat popup. Seat state is kept apart from label text, so a
// departed player's name stays known for the finder and winner lines.
class Seats : public QObject {
    Q_OBJECT
public:
    static constexpr char kWaiting[] = "<Waiting>";

    struct Hooks {
        std::function<void(const QString& line)> say; // a system line ("0+...")
        std::function<void(const QString& name)> playsound;
        std::function<void()> ownArrival; // first sight of the own login
        std::function<void(bool watching)> ownWatchingChanged;
        // The host removed this player: its own departure, sent before the close.
        std::function<void()> ownRemoval;
        // Someone came or went: who has the host player's rights may change.
        std::function<void()> seatingChanged;
    };

    Seats(QWidget* panel, ClientState& state, ClientOutbox& outbox, Hooks hooks);

    // Handlers of host messages (fields after the command word).
    void newplayerinfo(const QString& args);
    void playerdisconnected(const QString& args);
    void justwatching(const QString& args);
    // CMD_playeraway: the host holds a dropped player's seat, or it is back.
    void playeraway(const QString& args);
    // CMD_hostrights: a dedicated host says who holds the host player's rights.
    void hostrights(const QString& args);

    // This window's player has the host player's rights: starting games,
    // removing players, setting others to just watching. A dedicated host
    // (--serve) says who holds them (CMD_hostrights), and once it has, its
    // word counts. Otherwise the window guesses "the lowest seat taken": slot
    // 1 at a host with a player of its own, and what an older dedicated host
    // did. Until the own arrival, and right after it, the list is not
    // complete (the others follow in the next message), so a seat above 1
    // waits for it rather than show the controls for a moment.
    bool holdsHostRights() const;

    // Asks the host to remove the player or spy in that slot.
    void kicking(int slot);
    // "Just Watch" in the Options menu; checked: the item's check mark now.
    void JustWatch1Click(bool checked);

    // Who a slot is, for lines and titles: the seat's player (a departed one
    // until the next game starts), "Klot" for a free seat 2, the spy's name.
    QString displayName(int slot) const;
    bool occupied(int seat) const;
    bool watching(int seat) const;
    // The names shown in the other seats, seat order, "<Waiting>" left out:
    // the players and Klot.
    QStringList otherSeatedNames() const;
    // Anyone but this player at the table, seated or spying.
    bool othersPresent() const;
    // A new game: departed names are forgotten, eyes hidden; a free seat 2
    // shows "Klot" when the computer player plays, else "<Waiting>".
    void gameStarted(bool botPlays);
    // A new table: every seat free, no spies, no presence marks.
    void clear();
    // Back in a held seat: the seats are laid again by the host's catch-up,
    // which names everyone; until the own arrival nobody is announced.
    void returnToSeat();

    // The spy list: one "slot: name" entry per spy, in slot order.
    QStringList spyEntries() const;
    void attachSpyList(QListWidget* list);

    // The status line's popup acts on seat 1, as the seat labels act on theirs.
    void attachPopup(QLabel* label, int seat);

    // Controls of seat 1..5, for the board and table.
    QLabel* nameLabel(int seat) const { return at(names_, seat); }
    QLabel* scoreLabel(int seat) const { return at(scores_, seat); }
    QLabel* chalk(int seat) const { return at(chalks_, seat); }
    QLabel* eyes(int seat) const { return at(eyes_, seat); }
    QLabel* rack(int seat) const { return at(racks_, seat); }
    QMenu* popup() const { return popup_kick; }

private:
    struct Seat {
        QString name; // empty while free
        QString departed;
        bool watching = false;
        bool away = false; // its connection dropped; the host holds the seat
    };
    using Labels = std::array<QLabel*, game::kSeats>;
    static QLabel* at(const Labels& labels, int seat) {
        return ClientState::isSeat(seat) ? labels[size_t(seat - 1)] : nullptr;
    }
    Seat& seat(int n) { return seats_[size_t(n - 1)]; }
    const Seat& seat(int n) const { return seats_[size_t(n - 1)]; }

    void buildSeat(QWidget* panel, int n);
    void arrive(const gamemsg::PlayerRecord& record);
    void clearSlot(int slot); // its player or spy has left
    void seatingChanged();
    void showName(int n);
    // What the seat's label reads, without the away mark: for lines and lists.
    QString seatText(int n) const;
    void setEyes(int n, bool shown);
    void refreshSpyList();
    void openPopup(QLabel* label, const QPoint& at);
    bool popupTargetStillThere() const;
    void sendJustWatch(int seatNumber, bool watch);

    ClientState& state_;
    ClientOutbox& outbox_;
    Hooks hooks_;
    std::array<Seat, game::kSeats> seats_;
    std::map<int, QString> spies_;
    bool botShown_ = false;    // a free seat 2 reads "Klot" rather than "<Waiting>"
    bool othersKnown_ = false; // news of others has come since the own arrival
    bool returning_ = false;   // a rejoin's catch-up, up to the own arrival
    static constexpr int kRightsUnknown = -1;
    int rightsHolder_ = kRightsUnknown; // the seat the host named, 0 for nobody
    QListWidget* spyList_ = nullptr;
    Labels names_{}, scores_{}, chalks_{}, eyes_{}, racks_{};
    QMenu* popup_kick = nullptr;
    QAction* RemoveFromGame1 = nullptr;
    QAction* SettoJustWatch1 = nullptr;
    QAction* UnsetJustWatch1 = nullptr;
    // Where the popup was opened: the seat, and who sat there then.
    int popupSeat_ = 0;
    QString popupName_;
};
