#include "host/seat_catch_up.h"

#include "host/host_state.h"
#include "net/game_messages.h"
#include "net/word_record.h"

#include <algorithm>

namespace seatcatchup {

namespace {

// The guesser's rows in order. A valid guess has its marks among the word's
// judged guesses, in the same order; a row without them was not a word.
QStringList rowsOf(const HostState& state, int guesser, bool everyone) {
    QStringList messages;
    auto judged = state.judged.begin();
    const auto nextOfGuesser = [&] {
        while (judged != state.judged.end() && judged->slot != guesser)
            ++judged;
    };
    const tplayer& player = state.player(guesser);
    for (int row = 1; row <= game::kRows; ++row) {
        const QString& word = player.rowwords[static_cast<size_t>(row - 1)];
        if (word.isEmpty())
            continue;
        nextOfGuesser();
        if (judged != state.judged.end() && judged->word == word) {
            messages.append(
                gamemsg::YourLetters::build(guesser, everyone, row, judged->marks, word));
            ++judged;
        } else {
            messages.append(gamemsg::NotValid::build(guesser, everyone, word, row));
        }
    }
    return messages;
}

bool rowOpen(const HostState& state) {
    return state.gameon && state.wordopen && state.turntag == TagRowOpen &&
           (!state.playing(GameType::Nine) || state.currentseat != 0);
}

} // namespace

QStringList currentRows(const HostState& state, int seat) {
    if (!state.gameon)
        return {};
    if (!state.playing(GameType::Nine))
        return rowsOf(state, seat, false);
    QStringList messages;
    for (int guesser = 1; guesser <= game::kSeats; ++guesser)
        messages += rowsOf(state, guesser, guesser != seat);
    return messages;
}

QStringList standIns(const HostState& state, int seat) {
    if (!state.gameon)
        return {};
    QList<int> rows;
    const tplayer& player = state.player(seat);
    for (int row = 1; row <= game::kRows; ++row) {
        if (player.stoodin[static_cast<size_t>(row - 1)])
            rows.append(row);
    }
    return rows.isEmpty() ? QStringList{} : QStringList{gamemsg::StoodIn::build(rows)};
}

QStringList whileAway(const HostState& state, int seat) {
    QStringList lines;
    const size_t from = std::min(state.player(seat).awayfrom, state.record.size());
    for (size_t i = from; i < state.record.size(); ++i)
        lines.append(gamemsg::Chat::systemLine(wordrecord::whileAway(state.record[i])));
    return lines;
}

QStringList turn(const HostState& state, int seat) {
    if (!rowOpen(state))
        return {};
    if (state.playing(GameType::Nine))
        return {gamemsg::NextPlayer::build(state.currentseat, state.row)};
    QStringList messages;
    if (!state.player(seat).submitted)
        messages.append(gamemsg::NextPlayer::build(seat, state.row));
    for (int guesser = 1; guesser <= game::kSeats; ++guesser) {
        if (state.player(guesser).submitted)
            messages.append(gamemsg::Submitted::build(guesser));
    }
    return messages;
}

} // namespace seatcatchup
