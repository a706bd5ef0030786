#pragma once

#include "app/aux_windows.h"
#include "app/client_host_options.h"
#include "app/startup.h"
#include "client/tchat.h"
#include "client/tgamestart.h"
#include "client/tphrases.h"
#include "host/tserver.h"
#include "tally/ttallylist.h"

// Every window of the process, created once in this order (the main window
// first, so it is the one whose closing ends the program) and kept until exit.
struct AppWindows {
    AppWindows();
    ~AppWindows();

    // Brings the main window to the front, restoring it if minimised.
    void activate();

    Tchat chat;
    Ttallylist tallylist;
    Tabout about;
    Tgamestart gamestart;
    Thelp help{about};
    Tphrases phrases;
    ClientHostOptions hostOptions{chat};
    TServer server;
    Tspylist spylist;
    Startup startup;
};
