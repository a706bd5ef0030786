#pragma once

#include "app/aux_windows.h"
#include "app/client_host_options.h"
#include "app/startup.h"
#include "client/tchat.h"
#include "client/tgamestart.h"
#include "host/tserver.h"
#include "tally/ttallylist.h"

// The tally asks the main window's seats who else is playing.
class ChatTallySeats : public TallySeats {
public:
    explicit ChatTallySeats(const Tchat& chat) : chat_(chat) {}
    QStringList otherSeatedNames() const override { return chat_.loadchecklist(); }

private:
    const Tchat& chat_;
};

// Every window of the process, created once in this order (the main window
// first, so it is the one whose closing ends the program) and kept until exit.
struct AppWindows {
    AppWindows();
    ~AppWindows();

    // Brings the main window to the front, restoring it if minimised.
    void activate();

    Tchat chat;
    ChatTallySeats tallySeats{chat};
    Ttallylist tallylist;
    Tabout about;
    Tgamestart gamestart;
    Thelp help{about};
    ClientHostOptions hostOptions{chat};
    TServer server;
    Tspylist spylist;
    Startup startup;
};
