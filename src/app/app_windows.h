#pragma once

#include "app/aux_windows.h"
#include "app/client_host_options.h"
#include "app/in_process_host.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "client/join/link_confirmation.h"
#include "client/join/play_with_others.h"
#include "client/tchat.h"
#include "client/tgamestart.h"
#include "host/table_responder.h"
#include "net/table_finder.h"
#include "portmap/port_mapping.h"
#include "tally/ttallylist.h"

#include <functional>
#include <memory>

// The tally asks the main window's seats who else is playing.
class ChatTallySeats : public TallySeats {
public:
    explicit ChatTallySeats(const Tchat& chat) : chat_(chat) {}
    QStringList otherSeatedNames() const override { return chat_.loadchecklist(); }
    QStringList otherSeatedPeople() const override { return chat_.otherSeatedPeople(); }

private:
    const Tchat& chat_;
};

// A window built the first time it is asked for: nobody waits at start-up
// for windows they may never open.
template <typename Window> class BuiltOnFirstUse {
public:
    explicit BuiltOnFirstUse(std::function<std::unique_ptr<Window>()> build)
        : build_(std::move(build)) {}
    Window& operator()() {
        if (!window_)
            window_ = build_();
        return *window_;
    }
    bool built() const { return window_ != nullptr; }

private:
    std::function<std::unique_ptr<Window>()> build_;
    std::unique_ptr<Window> window_;
};

// Every window of the process, kept until exit. The main window comes first,
// so it is the one whose closing ends the program; the tally is built soon
// after the main window's first frame, since it tells at once of a damaged
// tally file.
struct AppWindows {
    // arguments: the command line after the program's name, read at the main
    // window's first showing.
    // textWanted: called before the main window first measures text.
    explicit AppWindows(const QStringList& arguments, std::function<void()> textWanted = {});
    ~AppWindows();

    // Brings the main window to the front, restoring it if minimised.
    void activate();
    // An invite link, from the command line or handed over by a later copy:
    // where it leads is shown and the player asked; a malformed one is said so.
    void openLink(const QString& link);
    // Later copies' requests: come to the front, and ask about their links.
    void listenTo(SingleInstance& instance);
    // Lists the table this copy hosts as playerName's on the network.
    void answerTableQueries(const QString& playerName, quint16 gamePort);

    Tchat chat;
    ChatTallySeats tallySeats{chat};
    BuiltOnFirstUse<Ttallylist> tallylist;
    ClientHostOptions hostOptions{chat.tableSettings()};
    InProcessHost host{hostOptions};
    // Answers "tables on this network" while this copy hosts for others.
    std::unique_ptr<TableResponder> tableResponder;
    // Asks for them while the Play with Others window is shown.
    TableFinder tableFinder;
    // Asks the router to forward the port of a table hosted for others.
    PortMapping portMapping;
    Startup startup;

    BuiltOnFirstUse<Tgamestart> gamestart;
    BuiltOnFirstUse<Tspylist> spylist;
    BuiltOnFirstUse<Tabout> about;
    BuiltOnFirstUse<Thelp> help; // refers to about, so it goes first
    BuiltOnFirstUse<PlayWithOthers> playWithOthers;
    BuiltOnFirstUse<LinkConfirmation> linkConfirmation;

private:
    // The Play with Others window's and the link question's verbs: why it
    // could not be done, or empty.
    QString hostFromWindow(const QString& name, quint16 port);
    QString joinFromWindow(const QString& name, const TableAddress& table);
};
