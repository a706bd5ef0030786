// Who sits where: the seat rows under the board, the spy list entries, the
// presence marks and the host player's seat popup. Every host message is
// parsed and checked whole before anything changes.
#include "client/seats/seats.h"

#include "client/access_keys.h"
#include "client/client_outbox.h"
#include "client/look/widget_look.h"
#include "common/plain_widgets.h"
#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/rejoin_messages.h"
#include "net/rights_messages.h"

#include <QContextMenuEvent>
#include <QListWidget>
#include <QWidget>
#include <algorithm>

namespace {

struct SeatRow {
    QPoint name, chalk, eyes, rack, score;
};
// Left, top of each control of seats 1..5 in the board panel.
constexpr SeatRow kRows[game::kSeats] = {
    {{245, 330}, {231, 331}, {234, 330}, {10, 322}, {196, 324}},
    {{245, 372}, {231, 373}, {234, 372}, {11, 364}, {196, 365}},
    {{245, 411}, {231, 412}, {234, 411}, {10, 403}, {196, 404}},
    {{245, 452}, {231, 453}, {234, 452}, {10, 443}, {196, 444}},
    {{245, 490}, {231, 491}, {234, 490}, {10, 480}, {196, 481}},
};

QLabel* makeLabel(QWidget* panel, const QString& objectName, QPoint at, QSize size) {
    QLabel* label = plainwidgets::label(panel); // names come from the network
    label->setObjectName(objectName);
    label->setGeometry(QRect(at, size));
    return label;
}

QString numbered(const char* prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

} // namespace

Seats::Seats(QWidget* panel, ClientState& state, ClientOutbox& outbox, Hooks hooks)
    : QObject(panel), state_(state), outbox_(outbox), hooks_(std::move(hooks)) {
    popup_kick = new QMenu(panel);
    popup_kick->setObjectName("popup_kick");
    RemoveFromGame1 = popup_kick->addAction("Remove From Game");
    RemoveFromGame1->setObjectName("RemoveFromGame1");
    SettoJustWatch1 = popup_kick->addAction("Set to Just Watch");
    SettoJustWatch1->setObjectName("SettoJustWatch1");
    UnsetJustWatch1 = popup_kick->addAction("Unset Just Watch");
    UnsetJustWatch1->setObjectName("UnsetJustWatch1");
    accesskeys::assign(popup_kick);
    connect(RemoveFromGame1, &QAction::triggered, this, [this] {
        if (popupTargetStillThere())
            kicking(popupSeat_);
    });
    connect(SettoJustWatch1, &QAction::triggered, this, [this] {
        if (popupTargetStillThere())
            sendJustWatch(popupSeat_, true);
    });
    connect(UnsetJustWatch1, &QAction::triggered, this, [this] {
        if (popupTargetStillThere())
            sendJustWatch(popupSeat_, false);
    });
    for (int n = 1; n <= game::kSeats; ++n)
        buildSeat(panel, n);
}

void Seats::buildSeat(QWidget* panel, int n) {
    const SeatRow& row = kRows[n - 1];
    QLabel* rack = makeLabel(panel, numbered("image_balls", n), row.rack, QSize(225, 30));
    rack->setAccessibleName(QString("Seat %1 rack: no balls").arg(n));
    QLabel* name = makeLabel(panel, numbered("label_playername", n), row.name, QSize(105, 20));
    name->setFont(look::boldArial(13));
    look::setTextColour(name, look::kCaptionColour);
    name->setText(kWaiting);
    name->setProperty("tag", n);
    // Tab reaches the seat, and the Menu key opens its menu; the ring shows where.
    name->setFocusPolicy(Qt::TabFocus);
    name->setStyleSheet(
        "QLabel:focus { border: 2px solid rgb(255, 214, 92); border-radius: 3px; }");
    attachPopup(name, n);
    QLabel* score = makeLabel(panel, numbered("label_score", n), row.score, QSize(28, 19));
    score->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    look::setTextColour(score, look::kCaptionColour);
    score->setFont(look::boldArial(12));
    score->hide();
    QLabel* chalk = makeLabel(panel, numbered("image_chalk", n), row.chalk, QSize(14, 15));
    chalk->hide();
    QLabel* eyes = makeLabel(panel, numbered("image_eyes", n), row.eyes, QSize(27, 16));
    eyes->hide();
    names_[size_t(n - 1)] = name;
    scores_[size_t(n - 1)] = score;
    chalks_[size_t(n - 1)] = chalk;
    eyes_[size_t(n - 1)] = eyes;
    racks_[size_t(n - 1)] = rack;
    showName(n);
}

void Seats::attachPopup(QLabel* label, int seatNumber) {
    label->setProperty("tag", seatNumber);
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(label, &QWidget::customContextMenuRequested, this,
            [this, label](const QPoint& pos) { openPopup(label, label->mapToGlobal(pos)); });
}

void Seats::newplayerinfo(const QString& args) {
    const QList<gamemsg::PlayerRecord> records = gamemsg::players(args);
    for (const gamemsg::PlayerRecord& record : records)
        arrive(record);
    if (!returning_ && hooks_.playsound)
        hooks_.playsound("entered");
    if (std::any_of(records.begin(), records.end(),
                    [this](const auto& record) { return record.slot == state_.myseat; }))
        returning_ = false;
    seatingChanged();
}

void Seats::returnToSeat() {
    clear();
    returning_ = true;
}

void Seats::seatingChanged() {
    if (hooks_.seatingChanged)
        hooks_.seatingChanged();
}

bool Seats::holdsHostRights() const {
    if (!state_.seated())
        return false;
    if (rightsHolder_ != kRightsUnknown)
        return rightsHolder_ == state_.myseat && occupied(state_.myseat);
    if (state_.myseat == game::kHostPlayerSlot)
        return true;
    if (!occupied(state_.myseat) || !othersKnown_)
        return false;
    for (int n = 1; n < state_.myseat; ++n) {
        if (occupied(n))
            return false;
    }
    return true;
}

void Seats::arrive(const gamemsg::PlayerRecord& record) {
    const bool own = record.slot == state_.myseat;
    othersKnown_ = !own;
    // Back in a held seat, the catch-up names everyone again: nobody is new.
    const auto tell = [this](const QString& line) {
        if (!returning_)
            hooks_.say(line);
    };
    if (own) {
        tell("0+You are Connected.");
        if (hooks_.ownArrival)
            hooks_.ownArrival();
    } else {
        tell("0+" + record.name + " is Connected.");
    }
    if (ClientState::isSpySlot(record.slot)) {
        spies_[record.slot] = record.name;
        refreshSpyList();
        tell(own ? QString("0+You are spying.") : "0+" + record.name + " is spying.");
        return;
    }
    Seat& s = seat(record.slot);
    s.name = record.name;
    s.departed.clear();
    s.away = false;
    showName(record.slot);
    scoreLabel(record.slot)->show();
    setEyes(record.slot, record.watching);
}

void Seats::playerdisconnected(const QString& args) {
    const int slot = gamemsg::slotOnly(args);
    if (state_.connected && slot == state_.myseat) {
        // The table stays as it was when this player was taken from it.
        if (hooks_.ownRemoval)
            hooks_.ownRemoval();
        return;
    }
    othersKnown_ = true;
    clearSlot(slot);
    seatingChanged();
}

void Seats::clearSlot(int slot) {
    if (ClientState::isSpySlot(slot)) {
        const auto found = spies_.find(slot);
        if (found == spies_.end())
            return; // never listed: leaves silently
        hooks_.say("0+" + found->second + " has left.");
        spies_.erase(found);
        refreshSpyList();
        return;
    }
    Seat& s = seat(slot);
    // Only a player this window saw arrive is said to go: the label of an
    // empty seat names its stand-in, who stays.
    if (!s.name.isEmpty()) {
        hooks_.say("0+" + s.name + " disconnected.");
        s.departed = s.name;
    }
    s.name.clear();
    s.watching = false;
    s.away = false;
    if (slot == game::kBotSeat)
        botShown_ = true; // the computer player sits there now
    showName(slot);
    setEyes(slot, false);
}

void Seats::justwatching(const QString& args) {
    const auto [slot, watch] = gamemsg::justwatching(args);
    seat(slot).watching = watch;
    if (slot == state_.myseat && hooks_.ownWatchingChanged)
        hooks_.ownWatchingChanged(watch);
    const QString who = seatText(slot);
    hooks_.say("0+" + who + (watch ? " is just watching" : " now playing again"));
    setEyes(slot, watch);
}

// The host's own system line says who went and came back.
void Seats::playeraway(const QString& args) {
    const auto [slot, away] = rejoinmsg::away(args);
    if (!occupied(slot))
        return;
    seat(slot).away = away;
    showName(slot);
}

void Seats::hostrights(const QString& args) {
    rightsHolder_ = rightsmsg::holder(args);
    seatingChanged();
}

void Seats::kicking(int slot) {
    if (!holdsHostRights() || !ClientState::isSlot(slot) || slot == state_.myseat)
        return;
    outbox_.send(playermsg::build::kickhim(state_.myseat, slot));
}

void Seats::JustWatch1Click(bool checked) {
    if (state_.connected && ClientState::isSeat(state_.myseat))
        sendJustWatch(state_.myseat, !checked);
}

void Seats::sendJustWatch(int seatNumber, bool watch) {
    if (state_.connected && ClientState::isSeat(seatNumber))
        outbox_.send(playermsg::build::justwatch(seatNumber, watch));
}

void Seats::openPopup(QLabel* label, const QPoint& at) {
    popupSeat_ = label->property("tag").toInt();
    popupName_ = occupied(popupSeat_) ? seat(popupSeat_).name : QString();
    const bool mayAct = holdsHostRights() && occupied(popupSeat_);
    RemoveFromGame1->setEnabled(mayAct && popupSeat_ != state_.myseat);
    SettoJustWatch1->setEnabled(mayAct);
    UnsetJustWatch1->setEnabled(mayAct);
    popup_kick->popup(at);
}

bool Seats::popupTargetStillThere() const {
    return occupied(popupSeat_) && seat(popupSeat_).name == popupName_;
}

QString Seats::displayName(int slot) const {
    if (ClientState::isSpySlot(slot)) {
        const auto found = spies_.find(slot);
        return found == spies_.end() ? QString() : found->second;
    }
    if (!ClientState::isSeat(slot))
        return QString();
    const Seat& s = seat(slot);
    if (!s.name.isEmpty())
        return s.name;
    if (!s.departed.isEmpty())
        return s.departed;
    return slot == game::kBotSeat ? QString(game::kBotName) : QString(kWaiting);
}

bool Seats::occupied(int seatNumber) const {
    return ClientState::isSeat(seatNumber) && !seat(seatNumber).name.isEmpty();
}

bool Seats::watching(int seatNumber) const {
    return ClientState::isSeat(seatNumber) && seat(seatNumber).watching;
}

// As the name labels read, so Klot in seat 2 can be followed like anyone.
QStringList Seats::otherSeatedNames() const {
    QStringList names;
    for (int n = 1; n <= game::kSeats; ++n) {
        const QString shown = seatText(n);
        if (n != state_.myseat && shown != QLatin1String(kWaiting))
            names.append(shown);
    }
    return names;
}

// Players, not labels: Klot standing in a free seat is nobody to ask about.
bool Seats::othersPresent() const {
    for (int n = 1; n <= game::kSeats; ++n) {
        if (n != state_.myseat && !seat(n).name.isEmpty())
            return true;
    }
    return std::any_of(spies_.begin(), spies_.end(),
                       [this](const auto& spy) { return spy.first != state_.myseat; });
}

void Seats::gameStarted(bool botPlays) {
    botShown_ = botPlays;
    for (int n = 1; n <= game::kSeats; ++n) {
        seat(n).departed.clear();
        setEyes(n, false);
        showName(n);
    }
}

QString Seats::seatText(int n) const {
    const Seat& s = seat(n);
    if (!s.name.isEmpty())
        return s.name;
    return n == game::kBotSeat && botShown_ ? game::kBotName : kWaiting;
}

void Seats::showName(int n) {
    QLabel* label = nameLabel(n);
    label->setText(seat(n).away ? seatText(n) + " (away)" : seatText(n));
    label->setAccessibleName(QString("Seat %1: %2").arg(n).arg(label->text()));
}

void Seats::setEyes(int n, bool shown) {
    seat(n).watching = shown;
    eyes(n)->setVisible(shown);
}

void Seats::clear() {
    returning_ = false;
    rightsHolder_ = kRightsUnknown; // a new table, or the host's catch-up says it again
    seats_ = {};
    spies_.clear();
    botShown_ = false;
    for (int n = 1; n <= game::kSeats; ++n) {
        scoreLabel(n)->clear();
        scoreLabel(n)->hide();
        chalk(n)->hide();
        setEyes(n, false);
        showName(n);
    }
    refreshSpyList();
}

QStringList Seats::spyEntries() const {
    QStringList entries;
    for (const auto& [slot, name] : spies_)
        entries.append(QString::number(slot) + ": " + name);
    return entries;
}

void Seats::attachSpyList(QListWidget* list) {
    spyList_ = list;
    refreshSpyList();
}

void Seats::refreshSpyList() {
    if (!spyList_)
        return;
    spyList_->clear();
    spyList_->addItems(spyEntries());
}
