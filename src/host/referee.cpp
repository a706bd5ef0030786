#include "host/referee.h"

#include "common/random.h"
#include "host/host_broadcast.h"
#include "host/host_ports.h"
#include "host/host_state.h"
#include "host/sender_identity.h"
#include "host/table_rules.h"
#include "host/word_lists.h"
#include "net/game_messages.h"
#include "net/player_text.h"
#include "net/protocol.h"

#include <QStringList>
#include <algorithm>

namespace {
constexpr int kRowCountdown = 22; // the row ends on the 23rd tick
} // namespace

Referee::Referee(HostState& state, HostOutbox& outbox, HostClock& clock, const HostOptions& options,
                 WordLists& words)
    : m_state(state), m_outbox(outbox), m_clock(clock), m_options(options), m_words(words) {}

void Referee::startgame(const QString& data) {
    QString rest = data;
    // Everyone is told the name the host player logged in with, not the one
    // the message gives: the announcement is a system line in every window.
    cutField(rest);
    const int starter = std::max(senderidentity::hostPlayerSlot(m_state), 1);
    const QString name = playertext::nameForSlot(m_state.player(starter).name, starter);
    const QString type = cutField(rest);
    const QString botoff = cutField(rest);
    static const QStringList kTypes = {QStringLiteral("high"), QStringLiteral("most"),
                                       QStringLiteral("nine"), QStringLiteral("race")};
    if (!kTypes.contains(type))
        return; // no rules would apply to such a game

    m_state.gameon = true;
    m_state.botplays = botoff == QLatin1String("0");
    m_state.gamehigh = type == kTypes[0];
    m_state.gamemost = type == kTypes[1];
    m_state.gamenine = type == kTypes[2];
    m_state.gamerace = type == kTypes[3];
    m_state.marksrule = m_options.exactMarks() ? MarksRule::Exact : MarksRule::Classic;
    m_state.botfair = m_options.botFair();
    sendToAllInUse(m_state, m_outbox, gamemsg::build::startgame(name, type, botoff));
    sendToAllInUse(m_state, m_outbox,
                   tableRulesMessage(m_state.marksrule, m_state.botplays, m_state.botfair));

    int seatsInUse = 0;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        tplayer& player = m_state.player(seat);
        player.score = 0;
        player.watching = false;
        player.raceball = 1;
        if (player.inuse)
            ++seatsInUse;
    }
    m_state.ballowner.fill(0);
    m_state.ballno = 0;
    m_state.row = 0;
    m_state.nextstarter = randomBelow(seatsInUse + 1);
    m_waitingForSeat = false;
    startround();
}

void Referee::startround() {
    ++m_state.ballno;
    newword();
}

void Referee::newword() {
    m_state.wordopen = true;
    m_state.row = 1;
    m_state.hiddenword = m_words.drawWord();
    m_state.judged.clear();
    for (int seat = 1; seat <= game::kSeats; ++seat)
        m_state.player(seat).submitted = false;
    // Spies' rows too: a spy that finds a later word must not show guesses from an old one.
    for (int slot = 1; slot <= game::kSlots; ++slot)
        m_state.player(slot).rowwords.fill(QString());
    const QString letter = m_state.hiddenword.left(1);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const tplayer& player = m_state.player(slot);
        if (!player.inuse)
            continue;
        int ball = m_state.ballno;
        if (m_state.gamerace)
            ball = slot <= game::kSeats ? player.raceball : 1;
        m_outbox.sendTo(slot, gamemsg::build::loadball(ball, letter));
    }
    findplayer();
    if (!m_waitingForSeat)
        openRow();
}

void Referee::findplayer() {
    m_state.currentseat = m_state.nextstarter;
    for (int seat = 1; seat <= game::kSeats; ++seat)
        m_state.player(seat).marks.clear();

    if (m_state.gamenine) {
        // One lap at most: with no playable seat the turn waits for seatBecamePlayable().
        m_waitingForSeat = true;
        int seat = m_state.currentseat;
        for (int step = 0; step < game::kSeats && m_waitingForSeat; ++step) {
            seat = seat % game::kSeats + 1;
            m_waitingForSeat = !isSeatPlayable(seat);
        }
        m_state.currentseat = m_waitingForSeat ? 0 : seat;
        if (m_waitingForSeat)
            return;
    }
    announceTurn();
}

void Referee::processwords() {
    if (!m_state.gamenine) {
        for (int seat = 1; seat <= game::kSeats; ++seat) {
            const tplayer& player = m_state.player(seat);
            if (player.inuse && !player.watching && !player.submitted)
                return;
        }
    }
    if (m_state.turntag == TagRowOpen)
        m_clock.stopTurnTimer();
    ++m_state.row;

    if (m_state.row > game::kRows) {
        m_state.wordopen = false;
        sendToAllInUse(m_state, m_outbox, gamemsg::build::nooneguessed(m_state.hiddenword));
        startPause(TagPauseAfterNoFind);
        return;
    }

    for (int seat = 1; seat <= game::kSeats; ++seat)
        m_state.player(seat).submitted = false;
    if (!m_state.gamenine)
        m_state.currentseat = m_state.nextstarter;
    announceTurn();
    openRow();
}

void Referee::turntimerTimer() {
    --m_state.countdown;
    if (m_state.countdown >= 0)
        return;
    m_clock.stopTurnTimer();

    switch (m_state.turntag) {
    case TagRowOpen:
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const tplayer& player = m_state.player(slot);
            if (player.inuse && !player.submitted)
                m_outbox.sendTo(slot, gamemsg::build::timeup(m_state.row));
        }
        for (int slot = 1; slot <= kSlotCount; ++slot)
            m_state.player(slot).submitted = true;
        processwords();
        break;
    case TagPauseAfterFind:
        startround();
        break;
    case TagPauseAfterNoFind:
        newword();
        break;
    default:
        break;
    }
}

void Referee::itsguessed(int slot) {
    m_state.wordopen = false;
    m_clock.stopTurnTimer();
    tplayer& finder = m_state.player(slot);

    if (m_state.gamenine) {
        m_state.nextstarter = m_state.currentseat - 1; // the finder plays the next word
    } else {
        m_state.nextstarter = m_state.currentseat;
        sendToAllInUse(m_state, m_outbox, gamemsg::build::wordlist(slot, finder.rowwords));
    }
    m_state.currentseat = 0;

    finder.score += m_state.gamehigh ? m_state.ballno : 1;
    if (m_state.ballno >= 1 && m_state.ballno <= game::kBalls)
        m_state.ballowner[static_cast<size_t>(m_state.ballno)] = slot;

    const int ball = m_state.gamerace ? finder.raceball : m_state.ballno;
    const int score = m_state.gamehigh ? finder.score : gamemsg::kNoScore;
    sendToAllInUse(m_state, m_outbox,
                   gamemsg::build::heguessed(slot, m_state.hiddenword, ball, score));
    ++finder.raceball;

    if (m_state.gamerace) {
        if (finder.raceball > game::kBalls)
            findwinner(slot);
        else
            startPause(TagPauseAfterFind);
    } else if (m_state.ballno >= game::kBalls) {
        findwinner(slot);
    } else if (checkforcantwin()) {
        findwinner(slot);
        sendToAllInUse(m_state, m_outbox, gamemsg::build::impossible());
    } else {
        startPause(TagPauseAfterFind);
    }
}

bool Referee::checkforcantwin() const {
    if (m_state.gamerace || m_state.gamenine)
        return false;
    const int leader = bestSeat();
    const int leaderScore = m_state.player(leader).score;
    const int open = pointsStillOpen();
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        if (seat != leader && m_state.player(seat).score + open >= leaderScore)
            return false;
    }
    return true;
}

void Referee::findwinner(int slot) {
    m_state.gameon = false;
    if (m_state.gamenine || m_state.gamerace) {
        sendToAllInUse(m_state, m_outbox, gamemsg::build::winner(slot));
        return;
    }
    const int best = bestSeat();
    const int bestScore = m_state.player(best).score;
    QStringList names;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        const tplayer& player = m_state.player(seat);
        if (player.score == bestScore)
            names.append(player.name.isEmpty() ? player.defaultname : player.name);
    }
    if (names.size() > 1)
        sendToAllInUse(m_state, m_outbox, gamemsg::build::tiegame(names));
    else
        sendToAllInUse(m_state, m_outbox, gamemsg::build::winner(best));
}

void Referee::startComputerPlayer() {
    m_clock.stopComputerTimer();
    m_clock.startComputerTimer(m_options.botSpeedMs());
}

void Referee::seatBecamePlayable() {
    if (!m_waitingForSeat || !m_state.gameon || !m_state.gamenine)
        return;
    findplayer();
    if (!m_waitingForSeat)
        openRow();
}

void Referee::turnSeatLeft(int slot) {
    if (m_state.gamenine && m_state.wordopen && slot != 0 && slot == m_state.currentseat) {
        m_state.row = game::kRows;
        processwords();
    }
}

bool Referee::isSeatPlayable(int seat) const {
    const tplayer& player = m_state.player(seat);
    return (player.inuse && !player.watching) || (seat == game::kBotSeat && m_state.botplays);
}

bool Referee::botMayStandIn(int seat) const {
    const tplayer& player = m_state.player(seat);
    return !player.inuse || player.watching;
}

// In "nine" everyone is told the one seat whose turn it is; in the other types
// every slot is told its own number, so that every player may guess.
void Referee::announceTurn() {
    if (m_state.gamenine) {
        sendToAllInUse(m_state, m_outbox,
                       gamemsg::build::nextplayer(m_state.currentseat, m_state.row));
    } else {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            if (m_state.player(slot).inuse)
                m_outbox.sendTo(slot, gamemsg::build::nextplayer(slot, m_state.row));
        }
    }
    const int botSeat = m_state.gamenine ? m_state.currentseat : game::kBotSeat;
    if (botMayStandIn(botSeat))
        startComputerPlayer();
}

void Referee::openRow() {
    m_state.turntag = TagRowOpen;
    m_state.countdown = kRowCountdown;
    m_clock.startTurnTimer();
}

void Referee::startPause(int tag) {
    m_state.turntag = tag;
    m_state.countdown = m_options.betweenRoundsTicks();
    m_clock.startTurnTimer();
}

// The highest score of seats 1..5; the lowest seat wins a draw.
int Referee::bestSeat() const {
    int best = 1;
    for (int seat = 2; seat <= game::kSeats; ++seat) {
        if (m_state.player(seat).score > m_state.player(best).score)
            best = seat;
    }
    return best;
}

// "high": the ball numbers from the one just pocketed to 9; "most": the balls after it.
int Referee::pointsStillOpen() const {
    if (!m_state.gamehigh)
        return game::kBalls - m_state.ballno;
    int open = 0;
    for (int ball = m_state.ballno; ball <= game::kBalls; ++ball)
        open += ball;
    return open;
}
