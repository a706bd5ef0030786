#pragma once

#include "app/aux_windows.h"
#include "app/client_host_options.h"
#include "app/startup.h"
#include "client/tchat.h"
#include "client/tgamestart.h"
#include "host/tserver.h"
#include "tally/ttallylist.h"

#include <memory>

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

    // Help and about are built when first asked for: nobody waits at
    // start-up for pages they may never open.
    Tabout& about();
    Thelp& help();

    Tchat chat;
    ChatTallySeats tallySeats{chat};
    Ttallylist tallylist;
    Tgamestart gamestart;
    ClientHostOptions hostOptions{chat};
    TServer server;
    Tspylist spylist;
    Startup startup;

private:
    std::unique_ptr<Tabout> about_;
    std::unique_ptr<Thelp> help_; // refers to about_, so it goes first
};
