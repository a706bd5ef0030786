// What the window shows of its link to the host: the table stays as it was
// when a connection ends, with the reason and the next choices; a drop from
// a held seat says it is reconnecting and offers to give up.
#include "client/chat/phrase_buttons.h"
#include "client/join/table_memory.h"
#include "client/look/message_box.h"
#include "client/message_trace.h"
#include "client/tchat.h"
#include "common/environment.h"

#include <utility>

HostLink::Hooks Tchat::linkHooks() {
    return {
        .handleNext =
            [this](QStringList& queue) {
                messagetrace::handled(queue.first());
                dispatcher_.dispatchOne(queue);
            },
        .wake = [this] { wakeTimer1(); },
        .offline = [this] { state.connected = false; },
        .reconnecting = [this] { showReconnecting(); },
        .ended = [this](LinkEnding why,
                        bool rejoinOffered) { connectionEnded(why, rejoinOffered); },
        .backInSeat = [this](int seat) { backInSeat(seat); },
        .seatNotKept = [this](bool refused) { seatNotKept(refused); },
    };
}

// Nobody's turn is shown; for a full host the box comes first, then the
// choices.
void Tchat::connectionEnded(LinkEnding why, bool rejoinOffered) {
    if (why == LinkEnding::Full)
        messagebox::show(this, "Game is full");
    board->connectionEnded();
    menu->JustWatch1->setEnabled(false);
    showHostControls();
    const QString line = endingLine(why);
    if (why != LinkEnding::Full)
        say("0+" + line);
    sessionEnd->offer(line, rejoinOffered);
    messagetrace::shown("choices", QStringList{line} + sessionEnd->offered());
}

QString Tchat::endingLine(LinkEnding why) const {
    switch (why) {
    case LinkEnding::HostClosed:
        return "The host closed the table.";
    case LinkEnding::Lost:
        return "The connection to the host was lost.";
    case LinkEnding::Unreachable:
        return "Could not connect to " + link_.hostName() + ".";
    case LinkEnding::Removed:
        return "You were removed from the game.";
    case LinkEnding::Full:
        return "Game is full";
    case LinkEnding::None:
        break;
    }
    return {};
}

// Board, seats, racks and chat stay as they were; nobody's turn is shown.
void Tchat::showReconnecting() {
    board->connectionEnded();
    menu->JustWatch1->setEnabled(false);
    showHostControls();
    sessionEnd->showReconnecting();
    messagetrace::shown("choices", QStringList{sessionEnd->reason()} + sessionEnd->offered());
}

// Perhaps under another slot number: the host's catch-up that follows lays
// the table again.
void Tchat::backInSeat(int seat) {
    state.myseat = seat;
    tableDue_ = TableDue::Returned;
    sessionEnd->withdraw();
    loggedIn();
    say("0+You are back in your seat.");
}

// A new player from here on. A refusal is followed by the host's catch-up,
// which lays the table anew; a host that knows nothing of rejoining logs the
// player in as new without a word about the key.
void Tchat::seatNotKept(bool refused) {
    if (refused)
        tableDue_ = TableDue::Cleared;
    sessionEnd->withdraw();
    say("0+Your seat could not be kept: you joined as a new player.");
}

// The host sends its whole catch-up at once, right after the verdict: what
// has arrived of it is laid in the same turn of the event loop as the
// clearing, so the window never shows an empty table in between (the last
// one stays until then).
void Tchat::layTableIfDue() {
    const TableDue due = std::exchange(tableDue_, TableDue::No);
    if (due == TableDue::No)
        return;
    clearTable();
    if (due == TableDue::Returned)
        seats->returnToSeat();
    while (link_.queued() > 0)
        link_.handleNext();
}

// Every way to a table ends here (the command line, the windows, a rejoin,
// a reconnection), so "Recent tables" shows when each was last joined.
void Tchat::ownArrival() {
    loadinifile();
    link_.ownArrival();
    if (!state.ishost)
        TableMemory(environment::settingsFile())
            .rememberJoinedAgain(TableAddress{link_.hostName(), link_.portName().toUShort()},
                                 QDateTime::currentDateTimeUtc());
}

void Tchat::rejoinSeat() {
    joinHost(playername, link_.hostName(), link_.portName());
}

void Tchat::clearTable() {
    gameInPlay_ = false;
    model_.clear();
    seats->clear();
    board->clear();
    table->clear();
    showHostControls();
}

void Tchat::Timer1Timer() {
    lastTick_.start();
    link_.tick();
    chat->tick();
    table->moveballs();
    if (timer1HasWork())
        wakeTimer1();
    else if (Timer1.interval() != kTimer1IdleIntervalMs)
        Timer1.setInterval(kTimer1IdleIntervalMs);
}

// A 16 ms tick with nothing to do still costs about 1 % of a core.
bool Tchat::timer1HasWork() const {
    return link_.hasWork() || !chat->phraseButtons()->phraseready || !table->animation().idle();
}

void Tchat::wakeTimer1() {
    if (Timer1.interval() == kTimer1IntervalMs)
        return;
    Timer1.start(kTimer1IntervalMs);
    // Out of idle, the first tick comes as soon as one is due rather than a
    // whole tick later, so a quiet table answers at once; never two ticks
    // closer than one interval, never inside the caller's socket callback.
    if (!lastTick_.isValid() || lastTick_.elapsed() >= kTimer1IntervalMs)
        QMetaObject::invokeMethod(this, &Tchat::Timer1Timer, Qt::QueuedConnection);
}
