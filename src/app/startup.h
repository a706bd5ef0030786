#pragma once

#include "app/play_mode.h"

#include <QStringList>
#include <functional>

class Tchat;
class TSock;

// Chooses solo, host or join mode when the main window is first shown, and
// points the host's listener and the client's socket accordingly.
class Startup {
public:
    // What a copy that hosts a table for others starts besides, once it
    // hosts (a solo game does not): given the player's name and the game port.
    using OnHosting = std::function<void(const QString& playerName, quint16 gamePort)>;

    // hostListener: the game host's listening socket.
    Startup(Tchat& chat, TSock& hostListener, OnHosting onHosting = {});

    // Once, at the main window's first showing.
    void processparams(const QStringList& arguments);
    // Hosts a table for others on the listener and plays there; the host's
    // address is this machine's.
    void hostpress(const QString& playerName);
    void joinpress(const QString& playerName, const QString& hostAddress);

private:
    void listenAndPlay(const QString& playerName);

    Tchat& chat_;
    TSock& hostListener_;
    OnHosting onHosting_;
};
