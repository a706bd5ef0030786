#pragma once

#include "host/computer_player.h"
#include "host/guess_judge.h"
#include "host/referee.h"

// The host's rules wired together over the shared state and seams: the
// referee, the guess judge and the computer player call one another.
struct HostRules {
    HostRules(HostState& state, HostOutbox& outbox, HostClock& clock, const HostOptions& options,
              WordLists& words)
        : referee(state, outbox, clock, options, words), judge(state, outbox, words, referee),
          bot(state, clock, words, judge) {}

    Referee referee;
    GuessJudge judge;
    ComputerPlayer bot;
};
