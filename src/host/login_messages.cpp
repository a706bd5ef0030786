#include "host/login_messages.h"

#include "host/host_state.h"

namespace loginmessages {

namespace {
const QString kNoScores = QStringLiteral("+1+1000+2+1000+3+1000+4+1000+5+1000");

QString pair(int first, int second) {
    return u'+' + QString::number(first) + u'+' + QString::number(second);
}

QString seatGroups(const HostState& state) {
    QString groups;
    for (int seat = 1; seat <= game::kSeats; ++seat)
        groups += pair(seat, state.player(seat).score);
    return groups;
}

QString gamestats(const HostState& state, int newcomer) {
    int ball = state.ballno;
    if (state.gamerace)
        ball = newcomer <= game::kSeats ? state.player(newcomer).raceball : 1;
    return QStringLiteral("CMD_gamestats+") + gameTypeKey(state) + u'+' +
           QString::number(state.row) + u'+' + QString::number(ball) + u'+' +
           state.hiddenword.left(1) + u'+';
}

QString ballowners(const HostState& state) {
    QString message = QStringLiteral("CMD_ballowners");
    for (int ball = 1; ball <= game::kBalls; ++ball)
        message += pair(ball, state.ballowner[static_cast<size_t>(ball)]);
    return message;
}
} // namespace

QString gameTypeKey(const HostState& state) {
    if (state.gamehigh)
        return QStringLiteral("high");
    if (state.gamemost)
        return QStringLiteral("most");
    if (state.gamenine)
        return QStringLiteral("nine");
    if (state.gamerace)
        return QStringLiteral("race");
    return QString();
}

QString existingPlayers(const HostState& state, int newcomer) {
    QString groups;
    for (int slot = 1; slot <= state.slotcount; ++slot) {
        const tplayer& player = state.player(slot);
        if (slot == newcomer || !player.inuse || !player.loggedin)
            continue; // a connection that has not logged in has no name to show yet
        groups += u'+' + QString::number(slot) + u'+' + player.name + u'+' +
                  (player.watching ? u'1' : u'0');
    }
    return groups.isEmpty() ? QString() : QStringLiteral("CMD_existingplayers") + groups;
}

QStringList gameState(const HostState& state, int newcomer) {
    if (!state.gameon || gameTypeKey(state).isEmpty())
        return {};
    const QString scores = state.gamehigh ? seatGroups(state) : kNoScores;
    return {gamestats(state, newcomer), QStringLiteral("CMD_playerscores") + scores,
            state.gamerace ? QStringLiteral("CMD_theyown") + seatGroups(state) : ballowners(state)};
}

} // namespace loginmessages
