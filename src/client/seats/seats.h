#pragma once

#include "client/core/client_state.h"
#include "net/game_messages.h"
#include "net/rejoin_messages.h"

#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QString>
#include <array>
#include <functional>

class ClientOutbox;
class QListWidget;
class QWidget;
class TableModel;

// The five seats at the table and the spies who watch: their handlers put
// who sits where into the table model, and the seat rows show it (names,
// eyes, chalk, scores, the turn marker), with the host player's seat popup.
class Seats : public QObject {
    Q_OBJECT
public:
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

    Seats(QWidget* panel, ClientState& state, TableModel& model, ClientOutbox& outbox, Hooks hooks);

    // Handlers of host messages, each checked whole by the dispatcher.
    // CMD_newplayerinfo and CMD_existingplayers.
    void newplayerinfo(const QList<gamemsg::PlayerRecord>& records);
    void playerdisconnected(const gamemsg::PlayerDisconnected& left);
    void justwatching(const gamemsg::JustWatching& watching);
    // CMD_playeraway: the host holds a dropped player's seat, or it is back.
    void playeraway(const rejoinmsg::PlayerAway& held);

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

    // A new table (the model is emptied too): nobody is awaited.
    void clear();
    // Back in a held seat: the seats are laid again by the host's catch-up,
    // which names everyone; until the own arrival nobody is announced.
    void returnToSeat();

    // The spy list: one "slot: name" entry per spy, in slot order.
    QStringList spyEntries() const;
    void attachSpyList(QListWidget* list);

    // The status line's popup acts on seat 1, as the seat labels act on theirs.
    void attachPopup(QLabel* label, int seat);

    // Controls of seat 1..5, for the window's focus order and for tests.
    QLabel* nameLabel(int seat) const { return at(names_, seat); }
    // From now on Tab reaches the seats' names; the window calls it once it
    // has shown its first frame.
    void takeKeys();
    QLabel* scoreLabel(int seat) const { return at(scores_, seat); }
    QLabel* chalk(int seat) const { return at(chalks_, seat); }
    QLabel* eyes(int seat) const { return at(eyes_, seat); }
    QLabel* rack(int seat) const { return at(racks_, seat); }
    QLabel* turnMarker() const { return image_Turn; }
    QMenu* popup() const { return popup_kick; }

private:
    using Labels = std::array<QLabel*, game::kSeats>;
    static QLabel* at(const Labels& labels, int seat) {
        return ClientState::isSeat(seat) ? labels[size_t(seat - 1)] : nullptr;
    }

    void buildSeat(QWidget* panel, int n);
    void arrive(const gamemsg::PlayerRecord& record);
    void clearSlot(int slot); // its player or spy has left
    void seatingChanged();
    // Draws seat n's row from the model.
    void showSeat(int n);
    void showTurn(int seat);
    void showRack(int n);
    void refreshSpyList();
    void openPopup(QLabel* label, const QPoint& at);
    bool popupTargetStillThere() const;
    void sendJustWatch(int seatNumber, bool watch);

    ClientState& state_;
    TableModel& model_;
    ClientOutbox& outbox_;
    Hooks hooks_;
    bool othersKnown_ = false; // news of others has come since the own arrival
    bool returning_ = false;   // a rejoin's catch-up, up to the own arrival
    QListWidget* spyList_ = nullptr;
    Labels names_{}, scores_{}, chalks_{}, eyes_{}, racks_{};
    QLabel* image_Turn = nullptr; // points at the seat whose turn it is
    QMenu* popup_kick = nullptr;
    QAction* RemoveFromGame1 = nullptr;
    QAction* SettoJustWatch1 = nullptr;
    QAction* UnsetJustWatch1 = nullptr;
    // Where the popup was opened: the seat, and who sat there then.
    int popupSeat_ = 0;
    QString popupName_;
};
