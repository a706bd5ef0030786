// A connection dropped during a game: the window keeps the table as it was,
// tries to get back to its seat while the host holds it, and otherwise ends
// as any lost connection does. Only a window that holds a key for this table
// tries; a host closing its table or removing the player is no drop.
#include "client/message_trace.h"
#include "client/tchat.h"

QString Tchat::tableId() const {
    return sock.HostName() + u':' + sock.PortName();
}

// Instead of ending the session: the first drop starts the tries, and a try
// that ends without getting back waits for the next.
bool Tchat::keepTrying() {
    if (reconnection_.running()) {
        if (ending_ == Ending::Removed || ending_ == Ending::Full) {
            reconnection_.stop();
            return false;
        }
        dropAttempt();
        reconnection_.attemptFailed();
        return true;
    }
    if (gaveUp_ || ending_ != Ending::Lost || seatKeeper_.keyFor(tableId()).isEmpty())
        return false;
    startReconnecting();
    return true;
}

// Board, seats, racks and chat stay as they were; nobody's turn is shown.
void Tchat::startReconnecting() {
    dropAttempt();
    seatKeeper_.dropped();
    board->connectionEnded();
    menu->JustWatch1->setEnabled(false);
    showHostControls();
    sessionEnd->showReconnecting();
    messagetrace::shown("choices", QStringList{sessionEnd->reason()} + sessionEnd->offered());
    reconnection_.start(SeatKeeper::graceMs());
}

void Tchat::dropAttempt() {
    hostGone_ = false;
    rejoinAsked_ = false;
    receivedlist.clear();
    queuedChars_ = 0;
    leaving_ = true; // the close report of our own close is no news
    sock.Close();
    leaving_ = false;
    state.connected = false;
}

void Tchat::reconnectAttempt() {
    dropAttempt();
    ending_ = Ending::None;
    everConnected_ = false;
    framer_.clear();
    try {
        sock.Open();
    } catch (const ESockException&) {
        connectionEnded(Ending::Unreachable);
    }
}

// "Give Up", or the host's grace is over: the choices of a lost connection,
// with the way back while the seat may still be held.
void Tchat::giveUp() {
    reconnection_.stop();
    gaveUp_ = true;
    dropAttempt();
    ending_ = Ending::Lost;
    endSession();
}

void Tchat::rejoinSeat() {
    joinHost(playername, sock.HostName(), sock.PortName());
}

QString Tchat::rejoinKeyToShow() {
    const QString key = seatKeeper_.keyFor(tableId());
    rejoinAsked_ = !key.isEmpty();
    return key;
}

// Back in the held seat, perhaps under another slot number: the host's
// catch-up that follows lays the table again.
void Tchat::rejoined(int seat) {
    if (!rejoinAsked_)
        return;
    rejoinAsked_ = false;
    reconnection_.stop();
    state.myseat = seat;
    clearTable();
    seats->returnToSeat();
    sessionEnd->withdraw();
    loggedIn();
    say("0+You are back in your seat.");
}

// A new player from here on: the catch-up that follows lays the table.
void Tchat::rejoinRefused() {
    if (!rejoinAsked_)
        return;
    clearTable();
    seatNotKept();
}

void Tchat::seatNotKept() {
    rejoinAsked_ = false;
    reconnection_.stop();
    seatKeeper_.forget(tableId());
    sessionEnd->withdraw();
    say("0+Your seat could not be kept: you joined as a new player.");
}

// A host that knows nothing of rejoining logs the player in as new, without
// a word about the key.
void Tchat::ownArrival() {
    loadinifile();
    if (rejoinAsked_)
        seatNotKept();
}

// Leaving a table in play on purpose: the seat is let go (the host lets it
// expire). Leaving while the tries run keeps the key: "Rejoin your seat"
// may be what the player chose.
void Tchat::leaveSeatForGood() {
    const bool atTable = !reconnection_.running() && everConnected_ && !sessionEnded_;
    reconnection_.stop();
    if (atTable)
        seatKeeper_.forget(tableId());
}

void Tchat::clearTable() {
    gameInPlay_ = false;
    model_.clear();
    seats->clear();
    board->clear();
    table->clear();
    showHostControls();
}
