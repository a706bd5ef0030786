#pragma once

#include "common/random.h"
#include "host/host_ports.h"
#include "host/host_rules.h"
#include "host/host_state.h"
#include "host/word_lists.h"

#include <QStringList>
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
    int botSpeed = 1000;
    int pauseTicks = 5;
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
        rules.referee.startgame(QStringLiteral("Ann+%1+%2+").arg(type, botOn ? "0" : "1"));
    }
    void guess(int slot, const QString& word) {
        rules.judge.myword(QStringLiteral("%1+%2+").arg(slot).arg(word));
    }
    void find(int slot) { guess(slot, state.hiddenword); }
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
