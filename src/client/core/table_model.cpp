#include "client/core/table_model.h"

#include "client/core/client_state.h"

#include <algorithm>

namespace {
const TableModel::Seat kNoSeat{};
} // namespace

const TableModel::Seat& TableModel::seat(int n) const {
    return ClientState::isSeat(n) ? seats_[size_t(n - 1)] : kNoSeat;
}

QString TableModel::displayName(int slot) const {
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

QString TableModel::seatText(int n) const {
    const Seat& s = seat(n);
    if (!s.name.isEmpty())
        return s.name;
    return n == game::kBotSeat && botShown_ ? game::kBotName : kWaiting;
}

// As the seats read, so Klot in seat 2 can be followed like anyone.
QStringList TableModel::otherSeatedNames(int ownSlot) const {
    QStringList names;
    for (int n = 1; n <= game::kSeats; ++n) {
        const QString shown = seatText(n);
        if (n != ownSlot && shown != QLatin1String(kWaiting))
            names.append(shown);
    }
    return names;
}

bool TableModel::othersPresent(int ownSlot) const {
    for (int n = 1; n <= game::kSeats; ++n) {
        if (n != ownSlot && occupied(n))
            return true;
    }
    return std::any_of(spies_.begin(), spies_.end(),
                       [ownSlot](const auto& spy) { return spy.first != ownSlot; });
}

void TableModel::seatPlayer(int n, const QString& name, bool watching) {
    if (!ClientState::isSeat(n))
        return;
    Seat& s = seatAt(n);
    s.name = name;
    s.departed.clear();
    s.away = false;
    s.watching = watching;
    s.scoreShown = true;
    emit seatChanged(n);
}

void TableModel::freeSeat(int n) {
    if (!ClientState::isSeat(n))
        return;
    Seat& s = seatAt(n);
    if (!s.name.isEmpty())
        s.departed = s.name;
    s.name.clear();
    s.watching = false;
    s.away = false;
    if (n == game::kBotSeat)
        botShown_ = true; // the computer player sits there now
    emit seatChanged(n);
}

void TableModel::setRightsHolder(int seat) {
    rightsHolder_ = seat;
    emit rightsChanged();
}

void TableModel::setWatching(int n, bool watching) {
    if (!ClientState::isSeat(n))
        return;
    seatAt(n).watching = watching;
    emit seatChanged(n);
}

void TableModel::setAway(int n, bool away) {
    if (!ClientState::isSeat(n))
        return;
    seatAt(n).away = away;
    emit seatChanged(n);
}

void TableModel::addSpy(int slot, const QString& name) {
    spies_[slot] = name;
    emit spiesChanged();
}

void TableModel::removeSpy(int slot) {
    if (spies_.erase(slot) > 0)
        emit spiesChanged();
}

void TableModel::startGame(bool botPlays) {
    botShown_ = botPlays;
    for (Seat& s : seats_) {
        s.departed.clear();
        s.watching = false;
    }
    if (botPlays)
        seatAt(game::kBotSeat).scoreShown = true; // Klot's score counts like anyone's
    everySeatChanged();
    for (int n = 1; n <= game::kSeats; ++n) {
        seatAt(n).rack.clear();
        emit rackChanged(n);
    }
}

void TableModel::setScore(int n, std::optional<int> score) {
    if (!ClientState::isSeat(n))
        return;
    seatAt(n).score = score;
    emit seatChanged(n);
}

void TableModel::setGuessed(int n) {
    if (!ClientState::isSeat(n))
        return;
    seatAt(n).guessed = true;
    emit seatChanged(n);
}

void TableModel::clearGuessed() {
    for (int n = 1; n <= game::kSeats; ++n) {
        if (seatAt(n).guessed) {
            seatAt(n).guessed = false;
            emit seatChanged(n);
        }
    }
}

void TableModel::addToRack(int n, int ball) {
    if (!ClientState::isSeat(n) || seatAt(n).rack.size() >= kRackCapacity)
        return;
    seatAt(n).rack.append(ball);
    emit rackChanged(n);
}

void TableModel::setTurn(int seat) {
    turn_ = seat;
    emit turnChanged(seat);
}

void TableModel::setBallInPlay(int ball) {
    ballInPlay_ = ball;
    emit ballInPlayChanged(ball);
}

void TableModel::setLetter(int row, int column, const QString& letter) {
    Cell& c = cells_[index(row, column)];
    c.letter = letter;
    c.judged = false;
    emit cellChanged(row, column);
}

void TableModel::setMark(int row, int column, char mark, bool judged) {
    Cell& c = cells_[index(row, column)];
    c.mark = mark;
    c.judged = judged;
    emit cellChanged(row, column);
}

void TableModel::everySeatChanged() {
    for (int n = 1; n <= game::kSeats; ++n)
        emit seatChanged(n);
}

void TableModel::clear() {
    seats_ = {};
    spies_.clear();
    botShown_ = false;
    rightsHolder_.reset();
    gameType_.reset();
    everySeatChanged();
    for (int n = 1; n <= game::kSeats; ++n)
        emit rackChanged(n);
    emit spiesChanged();
    setTurn(0);
    for (int r = 1; r <= game::kRows; ++r) {
        for (int c = 1; c <= game::kLetters; ++c) {
            cells_[index(r, c)] = Cell{};
            emit cellChanged(r, c);
        }
    }
    setBallInPlay(1);
}
