#include "host/referee.h"

#include "common/random.h"
#include "host/host_broadcast.h"
#include "host/host_ports.h"
#include "host/host_state.h"
#include "host/sender_identity.h"
#include "host/table_rules.h"
#include "host/word_lists.h"
#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/player_text.h"
#include "net/word_record.h"

#include <QStringList>
#include <algorithm>

namespace {
constexpr int kRowCountdown = 22; // the row ends on the 23rd tick
} // namespace

Referee::Referee(HostState& state, HostOutbox& outbox, HostClock& clock, const HostOptions& options,
                 WordLists& words)
    : state_(state), outbox_(outbox), clock_(clock), options_(options), words_(words) {}

void Referee::startgame(const playermsg::StartGame& start) {
    // Everyone is told the name the host player logged in with, not the one
    // the message gives: the announcement is a system line in every window.
    const int starter = std::max(senderidentity::hostPlayerSlot(state_), 1);
    const QString name = playertext::nameForSlot(state_.player(starter).name, starter);
    state_.gameon = true;
    state_.botplays = start.botPlays;
    state_.gametype = start.type;
    state_.marksrule = options_.exactMarks() ? MarksRule::Exact : MarksRule::Classic;
    state_.botfair = options_.botFair();
    sendToAllInUse(state_, outbox_, gamemsg::StartGame::build(name, start.type, start.botPlays));
    // Klot sits in seat 2 when nobody is there, and stands in for a player
    // whose seat is held; a player seated there plays from this start on.
    const bool klotSits = state_.botplays && !state_.player(game::kBotSeat).connected();
    sendToAllInUse(state_, outbox_, tableRulesMessage(state_.marksrule, klotSits, state_.botfair));

    int seatsInUse = 0;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        tplayer& player = state_.player(seat);
        player.score = 0;
        player.watching = false;
        player.raceball = 1;
        if (player.inuse)
            ++seatsInUse;
    }
    state_.ballowner.fill(0);
    state_.record.clear();
    state_.ballno = 0;
    state_.row = 0;
    state_.nextstarter = randomBelow(seatsInUse + 1);
    waitingForSeat_ = false;
    startround();
}

void Referee::startround() {
    ++state_.ballno;
    newword();
}

void Referee::newword() {
    state_.wordopen = true;
    state_.row = 1;
    state_.hiddenword = words_.drawWord();
    state_.judged.clear();
    for (int seat = 1; seat <= game::kSeats; ++seat)
        state_.player(seat).submitted = false;
    // Spies' rows too: a spy that finds a later word must not show guesses from an old one.
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        state_.player(slot).rowwords.fill(QString());
        state_.player(slot).stoodin.fill(false);
    }
    const QString letter = state_.hiddenword.left(1);
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        const tplayer& player = state_.player(slot);
        if (!player.connected())
            continue;
        int ball = state_.ballno;
        if (state_.playing(GameType::Race))
            ball = slot <= game::kSeats ? player.raceball : 1;
        outbox_.sendTo(slot, gamemsg::LoadBall::build(ball, letter));
    }
    findplayer();
    if (!waitingForSeat_)
        openRow();
}

void Referee::findplayer() {
    state_.currentseat = state_.nextstarter;
    for (int seat = 1; seat <= game::kSeats; ++seat)
        state_.player(seat).marks.clear();

    if (state_.playing(GameType::Nine)) {
        // One lap at most: with no playable seat the turn waits for seatBecamePlayable().
        waitingForSeat_ = true;
        int seat = state_.currentseat;
        for (int step = 0; step < game::kSeats && waitingForSeat_; ++step) {
            seat = seat % game::kSeats + 1;
            waitingForSeat_ = !isSeatPlayable(seat);
        }
        state_.currentseat = waitingForSeat_ ? 0 : seat;
        if (waitingForSeat_)
            return;
    }
    announceTurn();
}

void Referee::processwords() {
    if (!state_.playing(GameType::Nine)) {
        for (int seat = 1; seat <= game::kSeats; ++seat) {
            const tplayer& player = state_.player(seat);
            if (player.plays() && !player.submitted)
                return;
        }
    }
    if (state_.turntag == TagRowOpen)
        clock_.stopTurnTimer();
    ++state_.row;

    if (state_.row > game::kRows) {
        state_.wordopen = false;
        sendToAllInUse(state_, outbox_, gamemsg::NoOneGuessed::build(state_.hiddenword));
        keepOnRecord(wordrecord::unfound(state_.hiddenword));
        startPause(TagPauseAfterNoFind);
        return;
    }

    for (int seat = 1; seat <= game::kSeats; ++seat)
        state_.player(seat).submitted = false;
    if (!state_.playing(GameType::Nine))
        state_.currentseat = state_.nextstarter;
    announceTurn();
    openRow();
}

void Referee::turntimerTimer() {
    --state_.countdown;
    if (state_.countdown >= 0)
        return;
    clock_.stopTurnTimer();

    switch (state_.turntag) {
    case TagRowOpen:
        for (int slot = 1; slot <= game::kSlots; ++slot) {
            const tplayer& player = state_.player(slot);
            if (player.connected() && !player.submitted)
                outbox_.sendTo(slot, gamemsg::TimeUp::build(state_.row));
        }
        for (int slot = 1; slot <= game::kSlots; ++slot)
            state_.player(slot).submitted = true;
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
    state_.wordopen = false;
    clock_.stopTurnTimer();
    tplayer& finder = state_.player(slot);

    if (state_.playing(GameType::Nine)) {
        state_.nextstarter = state_.currentseat - 1; // the finder plays the next word
    } else {
        state_.nextstarter = state_.currentseat;
        sendToAllInUse(state_, outbox_, gamemsg::WordList::build(slot, finder.rowwords));
    }
    state_.currentseat = 0;

    finder.score += state_.playing(GameType::High) ? state_.ballno : 1;
    if (state_.ballno >= 1 && state_.ballno <= game::kBalls)
        state_.ballowner[static_cast<size_t>(state_.ballno)] = slot;

    const int ball = state_.playing(GameType::Race) ? finder.raceball : state_.ballno;
    const int score = state_.playing(GameType::High) ? finder.score : gamemsg::kNoScore;
    sendToAllInUse(state_, outbox_,
                   gamemsg::HeGuessed::build(slot, state_.hiddenword, ball, score));
    keepOnRecord(wordrecord::found(nameOf(slot), state_.hiddenword, state_.row));
    ++finder.raceball;

    if (state_.playing(GameType::Race)) {
        if (finder.raceball > game::kBalls)
            findwinner(slot);
        else
            startPause(TagPauseAfterFind);
    } else if (state_.ballno >= game::kBalls) {
        findwinner(slot);
    } else if (checkforcantwin()) {
        findwinner(slot);
        sendToAllInUse(state_, outbox_, gamemsg::Impossible::build());
    } else {
        startPause(TagPauseAfterFind);
    }
}

bool Referee::checkforcantwin() const {
    if (state_.playing(GameType::Race) || state_.playing(GameType::Nine))
        return false;
    const int leader = bestSeat();
    const int leaderScore = state_.player(leader).score;
    const int open = pointsStillOpen();
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        if (seat != leader && state_.player(seat).score + open >= leaderScore)
            return false;
    }
    return true;
}

void Referee::findwinner(int slot) {
    state_.gameon = false;
    if (state_.playing(GameType::Nine) || state_.playing(GameType::Race)) {
        sendToAllInUse(state_, outbox_, gamemsg::Winner::build(slot));
        keepOnRecord(wordrecord::won(nameOf(slot)));
        return;
    }
    const int best = bestSeat();
    const int bestScore = state_.player(best).score;
    QStringList names;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        const tplayer& player = state_.player(seat);
        if (player.score == bestScore)
            names.append(nameOf(seat));
    }
    if (names.size() > 1) {
        sendToAllInUse(state_, outbox_, gamemsg::TieGame::build(names));
        keepOnRecord(wordrecord::tied(names.join(QStringLiteral(" and "))));
    } else {
        sendToAllInUse(state_, outbox_, gamemsg::Winner::build(best));
        keepOnRecord(wordrecord::won(nameOf(best)));
    }
}

// A player back from a drop hears this game's last lines, never more: at a
// table where nobody finds a word the record would otherwise grow for ever.
void Referee::keepOnRecord(const QString& line) {
    state_.record.push_back(line);
    if (state_.record.size() <= kMaxRecordLines)
        return;
    state_.record.erase(state_.record.begin());
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        size_t& from = state_.player(seat).awayfrom;
        from = from > 0 ? from - 1 : 0;
    }
}

QString Referee::nameOf(int slot) const {
    const tplayer& player = state_.player(slot);
    return player.name.isEmpty() ? player.defaultname : player.name;
}

void Referee::startComputerPlayer() {
    clock_.stopComputerTimer();
    clock_.startComputerTimer(options_.botSpeedMs());
}

void Referee::seatBecamePlayable() {
    if (!waitingForSeat_ || !state_.gameon || !state_.playing(GameType::Nine))
        return;
    findplayer();
    if (!waitingForSeat_)
        openRow();
}

void Referee::turnSeatLeft(int slot) {
    if (state_.playing(GameType::Nine) && state_.wordopen && slot != 0 &&
        slot == state_.currentseat) {
        state_.row = game::kRows;
        processwords();
    }
}

bool Referee::isSeatPlayable(int seat) const {
    return state_.player(seat).plays() || (seat == game::kBotSeat && state_.botplays);
}

bool Referee::botMayStandIn(int seat) const {
    return !state_.player(seat).plays();
}

// In "nine" everyone is told the one seat whose turn it is; in the other types
// every slot is told its own number, so that every player may guess.
void Referee::announceTurn() {
    if (state_.playing(GameType::Nine)) {
        sendToAllInUse(state_, outbox_, gamemsg::NextPlayer::build(state_.currentseat, state_.row));
    } else {
        for (int slot = 1; slot <= game::kSlots; ++slot) {
            if (state_.player(slot).connected())
                outbox_.sendTo(slot, gamemsg::NextPlayer::build(slot, state_.row));
        }
    }
    const int botSeat = state_.playing(GameType::Nine) ? state_.currentseat : game::kBotSeat;
    if (botMayStandIn(botSeat))
        startComputerPlayer();
}

void Referee::openRow() {
    state_.turntag = TagRowOpen;
    state_.countdown = kRowCountdown;
    clock_.startTurnTimer();
}

void Referee::startPause(int tag) {
    state_.turntag = tag;
    state_.countdown = options_.betweenRoundsTicks();
    clock_.startTurnTimer();
}

// The highest score of seats 1..5; the lowest seat wins a draw.
int Referee::bestSeat() const {
    int best = 1;
    for (int seat = 2; seat <= game::kSeats; ++seat) {
        if (state_.player(seat).score > state_.player(best).score)
            best = seat;
    }
    return best;
}

// "high": the ball numbers from the one just pocketed to 9; "most": the balls after it.
int Referee::pointsStillOpen() const {
    if (!state_.playing(GameType::High))
        return game::kBalls - state_.ballno;
    int open = 0;
    for (int ball = state_.ballno; ball <= game::kBalls; ++ball)
        open += ball;
    return open;
}
