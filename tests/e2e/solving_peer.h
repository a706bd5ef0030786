#pragma once

// A player made of a raw loopback connection that finds words: it guesses
// dictionary words with the given first letter that agree with every mark it
// has been shown, on every turn the host gives its slot. It can hold back its
// guesses for a while, so that a test can keep a game from ending too soon.

#include "raw_client.h"

#include <QString>
#include <QStringList>

class SolvingPeer {
public:
    SolvingPeer(quint16 port, const QString& name);

    // Logs in; false when the host gave no slot.
    bool logIn();
    // Answers every message that came since the last call.
    void play();
    // Guesses the first word that agrees with the marks seen (on an open turn).
    void guess();

    hosttest::RawClient client;
    QString name;
    QString slot;
    bool holding = false; // turns pass without a guess
    QStringList finds;    // the words this peer found

private:
    void onMessage(const QStringList& fields);

    qsizetype seen_ = 0;
    QStringList candidates_;
};

// The host's dictionary, as built into the program.
const QStringList& builtInDictionary();

// True once the client has been told that a game ended.
bool sawGameEnd(hosttest::RawClient& client);
