// The connection to the host: reading into the queue, one message per tick
// (a message into an empty queue at once), and how a session ends: the
// window stays with the last state of the table, says why, and offers the
// next table.
#include "client/tchat.h"

#include "client/chat/phrase_buttons.h"
#include "client/look/message_box.h"
#include "client/message_trace.h"

void Tchat::sockRead(TSock* sender, int) {
    if (closing_ || leaving_ || sessionEnded_)
        return;
    const qsizetype before = receivedlist.size();
    framer_.feed(sender->Receive(), receivedlist);
    // A message that finds the queue empty is answered at once rather than
    // at the next tick: a login or a guess's result then costs no tick of
    // waiting. Only a backlog waits for the pace.
    if (before == 0 && !receivedlist.isEmpty())
        QMetaObject::invokeMethod(this, &Tchat::processsocktimer, Qt::QueuedConnection);
    for (qsizetype i = before; i < receivedlist.size(); ++i)
        queuedChars_ += receivedlist[i].size();
    if (receivedlist.size() > kMaxQueuedMessages || queuedChars_ > kMaxQueuedChars) {
        receivedlist.clear();
        queuedChars_ = 0;
        connectionEnded(Ending::Lost);
        sock.Close(); // its "Socket Closed" finds the reason already given
    }
    wakeTimer1();
}

// A close from the far end is the host ending the table; an error on a
// connection that was up is a reset, a timeout or a write that failed.
void Tchat::sockInfo(TSock*, TSocketInfo info, const QString& msg) {
    if (closing_ || leaving_ || sessionEnded_)
        return;
    if (msg == "Socket Closed" || msg == "Socket Disconnected On Receive")
        connectionEnded(Ending::HostClosed);
    else if (info == siError)
        connectionEnded(everConnected_ ? Ending::Lost : Ending::Unreachable);
}

// What already arrived is still handled, in order (a last winner or the
// removal of this player must not be lost); the session ends once the queue
// is empty.
void Tchat::connectionEnded(Ending why) {
    if (ending_ == Ending::None)
        ending_ = why;
    hostGone_ = true;
    wakeTimer1();
}

// The removal explains the close, which may have been seen before the
// queue came to it.
void Tchat::removedFromGame() {
    ending_ = Ending::Removed;
    connectionEnded(Ending::Removed);
}

// The box first; the choices follow once it is answered. What came after
// the refusal is not shown.
void Tchat::hostFull() {
    dispatchStopped_ = true;
    ending_ = Ending::Full;
    messagebox::show(this, "Game is full");
    endSession();
}

void Tchat::endSession() {
    if (sessionEnded_ || closing_ || keepTrying())
        return;
    sessionEnded_ = true;
    hostGone_ = false;
    receivedlist.clear();
    queuedChars_ = 0;
    sock.Close(); // an error leaves the socket open; its close report is ignored now
    state.connected = false;
    board->connectionEnded();
    menu->JustWatch1->setEnabled(false);
    showHostControls();
    const QString line = endingLine();
    if (ending_ != Ending::Full)
        say("0+" + line);
    // Only a drop or a host not reached may leave a seat to come back to.
    if (ending_ != Ending::Lost && ending_ != Ending::Unreachable)
        seatKeeper_.forget(tableId());
    sessionEnd->offer(line, !seatKeeper_.keyFor(tableId()).isEmpty());
    messagetrace::shown("choices", QStringList{line} + sessionEnd->offered());
}

QString Tchat::endingLine() const {
    switch (ending_) {
    case Ending::HostClosed:
        return "The host closed the table.";
    case Ending::Lost:
        return "The connection to the host was lost.";
    case Ending::Unreachable:
        return "Could not connect to " + sock.HostName() + ".";
    case Ending::Removed:
        return "You were removed from the game.";
    case Ending::Full:
        return "Game is full";
    case Ending::None:
        break;
    }
    return {};
}

// A new connection: nothing of the last one's ending is left, and the
// choices give way to the table.
void Tchat::beginSession() {
    reconnection_.stop();
    gaveUp_ = false;
    rejoinAsked_ = false;
    ending_ = Ending::None;
    sessionEnded_ = false;
    hostGone_ = false;
    dispatchStopped_ = false;
    everConnected_ = false;
    framer_.clear();
    sessionEnd->withdraw();
}

void Tchat::Timer1Timer() {
    lastTick_.start();
    const int messages = receivedlist.size() > kBacklog ? kBacklogMessagesPerTick : 1;
    for (int i = 0; i < messages; ++i)
        processsocktimer();
    chat->tick();
    table->moveballs();
    if (timer1HasWork())
        wakeTimer1();
    else if (Timer1.interval() != kTimer1IdleIntervalMs)
        Timer1.setInterval(kTimer1IdleIntervalMs);
}

// A 16 ms tick with nothing to do still costs about 1 % of a core.
bool Tchat::timer1HasWork() const {
    return !receivedlist.isEmpty() || hostGone_ || !chat->phraseButtons()->phraseready ||
           !table->animation().idle();
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

// A session ends from a tick once the queue is worked off (or when the
// "Game is full" box is answered), never from inside a socket callback.
void Tchat::processsocktimer() {
    if (dispatchStopped_ || closing_ || sessionEnded_)
        return;
    if (receivedlist.isEmpty()) {
        if (hostGone_)
            endSession();
        return;
    }
    queuedChars_ = std::max<qsizetype>(0, queuedChars_ - receivedlist.first().size());
    messagetrace::handled(receivedlist.first());
    dispatcher_.dispatchOne(receivedlist);
}
