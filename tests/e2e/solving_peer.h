#pragma once

// A player made of a raw loopback connection that finds words: on every turn
// the host gives its slot it guesses the first (or the last) dictionary word
// with the given first letter that agrees with every mark it has been shown.
// When the host reveals a word it checks those marks against it. It can hold
// back its guesses for a while, so that a test can keep a game from ending
// too soon.

#include "raw_client.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

class SolvingPeer {
public:
    enum class Pick { First, Last }; // which fitting word it guesses
    SolvingPeer(quint16 port, const QString& name, Pick pick = Pick::First,
                quint32 ipv4 = testsupport::RawSocket::kLoopback);

    // Logs in; false when the host gave no slot.
    bool logIn();
    // Answers every message that came since the last call.
    void play();
    // play() has handled the end of a game, and so every find before it.
    bool sawGameEnd() const { return gameEnded_; }
    // Guesses the first word that agrees with the marks seen (on an open turn).
    void guess();

    testsupport::RawClient client;
    QString name;
    QString slot;
    bool holding = false;   // turns pass without a guess
    QStringList finds;      // "slot+WORD" of every CMD_heguessed
    int checkedMarks = 0;   // marks compared with the revealed word
    QStringList wrongMarks; // "GUESS marks for word" where they disagree

private:
    void onMessage(const QStringList& fields);
    void checkShownMarks(const QString& hidden);

    Pick pick_;
    qsizetype seen_ = 0;
    QStringList candidates_;
    QList<std::pair<QString, QString>> shown_; // guess and marks, this word
    bool gameEnded_ = false;
};

// The host's dictionary, as built into the program.
const QStringList& builtInDictionary();
