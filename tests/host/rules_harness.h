#pragma once

#include "common/random.h"
#include "host/host_ports.h"
#include "host/host_rules.h"
#include "host/host_state.h"
#include "host/word_lists.h"
#include "net/player_messages.h"

#include <QStringList>
#include <chrono>
#include <ctime>
#include <utility>
#include <vector>

// A host's rules over recorded sends and a hand-driven clock: tests play a game
// by feeding guesses and timer ticks, and read what each slot was sent.

class RecordingOutbox : public HostOutbox {
public:
    void sendTo(int slot, const QString& message) override { sent.emplace_back(slot, message); }
    QStringList to(int slot) const {
        QStringList messages;
        for (const auto& [to, message] : sent) {
            if (to == slot)
                messages.append(message);
        }
        return messages;
    }
    std::vector<std::pair<int, QString>> sent;
};

class FakeClock : public HostClock {
public:
    void startTurnTimer() override { turnActive = true; }
    void stopTurnTimer() override { turnActive = false; }
    bool turnTimerActive() const override { return turnActive; }
    void startComputerTimer(int milliseconds) override {
        computerActive = true;
        computerInterval = milliseconds;
        ++computerStarts;
    }
    void stopComputerTimer() override { computerActive = false; }

    bool turnActive = false;
    bool computerActive = false;
    int computerInterval = 0;
    int computerStarts = 0;
};

class FixedOptions : public HostOptions {
public:
    int botSpeedMs() const override { return botSpeed; }
    int betweenRoundsTicks() const override { return pauseTicks; }
    bool botFair() const override { return botfair; }
    bool exactMarks() const override { return exactmarks; }
    int botSpeed = 1000;
    int pauseTicks = 5;
    bool botfair = false;
    bool exactmarks = false;
};

// One of the word lists built into the program: "hidden" or "dictionary". The
// host library is static, so its resources are registered here.
inline QStringList builtInWordList(const QString& name) {
    Q_INIT_RESOURCE(words);
    return WordLists::readWordFile(":/words/" + name + ".txt");
}

// The processor time this process has used: what a move costs, without the
// time that other processes had the core.
inline std::chrono::nanoseconds processorTime() {
    return std::chrono::nanoseconds(std::clock() * (1'000'000'000 / CLOCKS_PER_SEC));
}

// Klot's tries at one word: its guesses in order, with the marks they got.
struct KlotWord {
    QString hidden;
    std::vector<JudgedGuess> guesses;
    std::vector<std::chrono::nanoseconds>
        moveTimes; // processor time of each bot move, judging included
    bool found() const { return !guesses.empty() && guesses.back().word == hidden; }
};

inline const QStringList kGameWords = {"angel", "board", "bread", "crane", "creek", "pearl",
                                       "sweat", "sweet", "value", "verbs", "verse"};
inline const QStringList kExtraDictionaryWords = {"agree", "broad", "bored", "cream", "plane"};

struct RulesHarness {
    explicit RulesHarness(const QStringList& hidden = kGameWords,
                          const QStringList& dictionary = kGameWords + kExtraDictionaryWords)
        : words(hidden, dictionary), rules(state, outbox, clock, options, words) {
        state.player(2).defaultname = QStringLiteral("Klot");
        seedProcessRandom(20240611);
    }

    void connect(int slot, const QString& name) {
        state.player(slot).inuse = true;
        state.player(slot).name = name;
        state.slotcount = std::max(state.slotcount, slot);
    }
    // The usual table: two seats with a free seat 2 between them, and a spy.
    void seatAnnCidAndSpy() {
        connect(1, "Ann");
        connect(3, "Cid");
        connect(6, "Spy");
    }
    void start(const QString& type, bool botOn = false) {
        rules.referee.startgame({*gametype::fromWord(type), botOn});
    }
    void guess(int slot, const QString& word) { rules.judge.judge(slot, word); }
    void find(int slot) { guess(slot, state.hiddenword); }
    // Klot alone at a new game's first word, one guess per bot move, until it
    // finds the word, its rows run out or it makes no guess.
    KlotWord klotPlaysAWord(const QString& type = QStringLiteral("high")) {
        start(type, true);
        KlotWord word{state.hiddenword, {}, {}};
        while (state.wordopen && clock.computerActive) {
            const size_t before = state.judged.size();
            const std::chrono::nanoseconds moveStarted = processorTime();
            rules.bot.computertimerTimer();
            word.moveTimes.push_back(processorTime() - moveStarted);
            if (state.judged.size() == before)
                break;
            word.guesses.push_back(state.judged.back());
        }
        return word;
    }
    // A dictionary word that is not the hidden word.
    QString wrongWord() const {
        for (const QString& word : words.speller()) {
            if (word.toUpper() != state.hiddenword)
                return word.toUpper();
        }
        return QString();
    }
    // Ticks come only while turntimer runs, as from a real timer.
    void tick(int count = 1) {
        for (int i = 0; i < count && clock.turnActive; ++i)
            rules.referee.turntimerTimer();
    }
    void runOutRow() { tick(23); }
    void endPause() { tick(options.pauseTicks + 1); }
    QStringList to(int slot) const { return outbox.to(slot); }
    QString lastTo(int slot) const {
        const QStringList messages = to(slot);
        return messages.isEmpty() ? QString() : messages.last();
    }
    QString letter() const { return state.hiddenword.left(1); }

    RecordingOutbox outbox;
    FakeClock clock;
    FixedOptions options;
    HostState state;
    WordLists words;
    HostRules rules;
};
