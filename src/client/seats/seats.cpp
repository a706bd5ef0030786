// Who sits where: the handlers put it into the table model, and the seat rows
// under the board (names, presence marks, scores, racks, the turn marker) and
// the spy list entries are drawn from it; and the host player's seat popup.
#include "client/seats/seats.h"

#include "client/core/access_keys.h"
#include "client/core/client_outbox.h"
#include "client/core/table_model.h"
#include "client/look/artwork.h"
#include "client/look/clickable_label.h"
#include "client/look/panel_zoom.h"
#include "client/look/widget_look.h"
#include "client/seats/rack_picture.h"
#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/rejoin_messages.h"

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

// label: plain text, as names come from the network.
template <typename Label = QLabel>
Label* makeLabel(QWidget* panel, const QString& objectName, QPoint at, QSize size) {
    auto* label = new Label(panel);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(objectName);
    label->setGeometry(QRect(at, size));
    return label;
}

QString numbered(const char* prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

constexpr int kTurnMarkerRise = 12; // above the seat's chalk

} // namespace

Seats::Seats(QWidget* panel, ClientState& state, TableModel& model, ClientOutbox& outbox,
             Hooks hooks)
    : QObject(panel), state_(state), model_(model), outbox_(outbox), hooks_(std::move(hooks)) {
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
    image_Turn =
        makeLabel(panel, "image_Turn", QPoint(0, 0), artwork::naturalSize(ArtRole::TurnMarker));
    image_Turn->setPixmap(artwork::picture(ArtRole::TurnMarker));
    image_Turn->setAccessibleName("Turn marker");
    image_Turn->hide();
    connect(&model_, &TableModel::seatChanged, this, &Seats::showSeat);
    connect(&model_, &TableModel::rackChanged, this, &Seats::showRack);
    connect(&model_, &TableModel::turnChanged, this, &Seats::showTurn);
    connect(&model_, &TableModel::spiesChanged, this, &Seats::refreshSpyList);
    connect(&model_, &TableModel::rightsChanged, this, &Seats::seatingChanged);
    if (PanelZoom* zoom = PanelZoom::of(panel)) {
        connect(zoom, &PanelZoom::scaleChanged, this, [this] {
            for (int n = 1; n <= game::kSeats; ++n)
                showRack(n);
        });
    }
}

// A label that takes the focus keeps a text document of its own, which
// made up a noticeable part of the window's start-up for five short names.
void Seats::takeKeys() {
    for (QLabel* name : names_)
        name->setFocusPolicy(Qt::TabFocus);
}

void Seats::buildSeat(QWidget* panel, int n) {
    const SeatRow& row = kRows[n - 1];
    QLabel* rack = makeLabel(panel, numbered("image_balls", n), row.rack, QSize(225, 30));
    rack->setAccessibleName(QString("Seat %1 rack: no balls").arg(n));
    auto* name =
        makeLabel<RingedLabel>(panel, numbered("label_playername", n), row.name, QSize(105, 20));
    name->setFont(look::boldArial(13));
    look::setTextColour(name, look::kCaptionColour);
    name->setText(TableModel::kWaiting);
    name->setProperty("tag", n);
    // Tab reaches the seat (from the first frame on: see takeKeys), and the
    // Menu key opens its menu; the ring shows where.
    name->setContentsMargins(4, 0, 0, 0); // the ring's room, clear of the name
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
    showSeat(n);
    showRack(n);
}

void Seats::attachPopup(QLabel* label, int seatNumber) {
    label->setProperty("tag", seatNumber);
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(label, &QWidget::customContextMenuRequested, this,
            [this, label](const QPoint& pos) { openPopup(label, label->mapToGlobal(pos)); });
}

void Seats::newplayerinfo(const QList<gamemsg::PlayerRecord>& records) {
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
    if (const std::optional<int> holder = model_.rightsHolder())
        return *holder == state_.myseat && model_.occupied(state_.myseat);
    if (state_.myseat == game::kHostPlayerSlot)
        return true;
    if (!model_.occupied(state_.myseat) || !othersKnown_)
        return false;
    for (int n = 1; n < state_.myseat; ++n) {
        if (model_.occupied(n))
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
        model_.addSpy(record.slot, record.name);
        tell(own ? QString("0+You are spying.") : "0+" + record.name + " is spying.");
        return;
    }
    model_.seatPlayer(record.slot, record.name, record.watching);
}

void Seats::playerdisconnected(const gamemsg::PlayerDisconnected& left) {
    const int slot = left.slot;
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
        const auto found = model_.spies().find(slot);
        if (found == model_.spies().end())
            return; // never listed: leaves silently
        hooks_.say("0+" + found->second + " has left.");
        model_.removeSpy(slot);
        return;
    }
    // Only a player this window saw arrive is said to go: the label of an
    // empty seat names its stand-in, who stays.
    const QString leaver = model_.seat(slot).name;
    if (!leaver.isEmpty())
        hooks_.say("0+" + leaver + " disconnected.");
    model_.freeSeat(slot);
}

void Seats::justwatching(const gamemsg::JustWatching& watching) {
    const auto [slot, watch] = watching;
    model_.setWatching(slot, watch);
    if (slot == state_.myseat && hooks_.ownWatchingChanged)
        hooks_.ownWatchingChanged(watch);
    const QString who = model_.seatText(slot);
    hooks_.say("0+" + who + (watch ? " is just watching" : " now playing again"));
}

// The host's own system line says who went and came back.
void Seats::playeraway(const rejoinmsg::PlayerAway& held) {
    const auto [slot, away] = held;
    if (!model_.occupied(slot))
        return;
    model_.setAway(slot, away);
}

void Seats::kicking(int slot) {
    if (!holdsHostRights() || !ClientState::isSlot(slot) || slot == state_.myseat)
        return;
    outbox_.send(playermsg::KickHim::build(state_.myseat, slot));
}

void Seats::JustWatch1Click(bool checked) {
    if (state_.connected && ClientState::isSeat(state_.myseat))
        sendJustWatch(state_.myseat, !checked);
}

void Seats::sendJustWatch(int seatNumber, bool watch) {
    if (state_.connected && ClientState::isSeat(seatNumber))
        outbox_.send(playermsg::JustWatch::build(seatNumber, watch));
}

void Seats::openPopup(QLabel* label, const QPoint& at) {
    popupSeat_ = label->property("tag").toInt();
    popupName_ = model_.seat(popupSeat_).name;
    const bool mayAct = holdsHostRights() && model_.occupied(popupSeat_);
    RemoveFromGame1->setEnabled(mayAct && popupSeat_ != state_.myseat);
    SettoJustWatch1->setEnabled(mayAct);
    UnsetJustWatch1->setEnabled(mayAct);
    popup_kick->popup(at);
}

bool Seats::popupTargetStillThere() const {
    return model_.occupied(popupSeat_) && model_.seat(popupSeat_).name == popupName_;
}

// Everything a seat row shows comes from the model: no label is read back.
void Seats::showSeat(int n) {
    const TableModel::Seat& seat = model_.seat(n);
    const QString text = seat.away ? model_.seatText(n) + " (away)" : model_.seatText(n);
    nameLabel(n)->setText(text);
    nameLabel(n)->setAccessibleName(QString("Seat %1: %2").arg(n).arg(text));
    eyes(n)->setVisible(seat.watching);
    chalk(n)->setVisible(seat.guessed);
    scoreLabel(n)->setText(seat.score ? QString::number(*seat.score) : QString());
    scoreLabel(n)->setVisible(seat.scoreShown);
}

void Seats::showRack(int n) {
    rackpicture::draw(rack(n), n, model_.seat(n).rack);
}

void Seats::showTurn(int seat) {
    if (QLabel* marker = chalk(seat))
        PanelZoom::place(image_Turn,
                         PanelZoom::baseGeometry(marker).topLeft() - QPoint(0, kTurnMarkerRise));
    image_Turn->setVisible(seat != 0);
    if (seat != 0)
        image_Turn->raise();
}

void Seats::clear() {
    returning_ = false;
}

QStringList Seats::spyEntries() const {
    QStringList entries;
    for (const auto& [slot, name] : model_.spies())
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
