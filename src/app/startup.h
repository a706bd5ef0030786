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
    // hostListener: the game host's listening socket. onHosting: further items
    // that only a hosting copy offers (run once hosting has started).
    Startup(Tchat& chat, TSock& hostListener, std::function<void()> onHosting = {});

    // Once, at the main window's first showing.
    void processparams(const QStringList& arguments);
    // Hosts on the listener and plays there; the host's address is this machine's.
    void hostpress(const QString& playerName);
    void joinpress(const QString& playerName, const QString& hostAddress);

private:
    Tchat& chat_;
    TSock& hostListener_;
    std::function<void()> onHosting_;
};
