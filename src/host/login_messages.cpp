#include "host/login_messages.h"

#include "host/host_state.h"
#include "net/game_messages.h"
#include "net/rejoin_messages.h"

namespace loginmessages {

namespace {
// Each seat's score; kNoScore for all when the game type shows none.
QList<gamemsg::SeatValue> seatScores(const HostState& state, bool shown) {
    QList<gamemsg::SeatValue> scores;
    for (int seat = 1; seat <= game::kSeats; ++seat)
        scores.append({seat, shown ? state.player(seat).score : gamemsg::kNoScore});
    return scores;
}

QString gamestats(const HostState& state, int newcomer) {
    int ball = state.ballno;
    if (state.playing(GameType::Race))
        ball = newcomer <= game::kSeats ? state.player(newcomer).raceball : 1;
    return gamemsg::GameStats::build(*state.gametype, state.row, ball, state.hiddenword.left(1));
}

QString ballowners(const HostState& state) {
    QList<gamemsg::BallOwner> owners;
    for (int ball = 1; ball <= game::kBalls; ++ball)
        owners.append({ball, state.ballowner[static_cast<size_t>(ball)]});
    return gamemsg::BallOwners::build(owners);
}
} // namespace

QString existingPlayers(const HostState& state, int newcomer) {
    QList<gamemsg::PlayerRecord> others;
    for (int slot = 1; slot <= state.slotcount; ++slot) {
        const tplayer& player = state.player(slot);
        if (slot == newcomer || !player.inuse || !player.loggedin)
            continue; // a connection that has not logged in has no name to show yet
        others.append({slot, player.name, player.watching});
    }
    return others.isEmpty() ? QString() : gamemsg::ExistingPlayers::build(others);
}

QStringList awaySeats(const HostState& state) {
    QStringList messages;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        if (state.player(seat).inuse && state.player(seat).away)
            messages.append(rejoinmsg::PlayerAway::build(seat, true));
    }
    return messages;
}

QStringList gameState(const HostState& state, int newcomer) {
    if (!state.gameon || !state.gametype)
        return {};
    return {gamestats(state, newcomer),
            gamemsg::PlayerScores::build(seatScores(state, state.playing(GameType::High))),
            state.playing(GameType::Race) ? gamemsg::TheyOwn::build(seatScores(state, true))
                                          : ballowners(state)};
}

} // namespace loginmessages
