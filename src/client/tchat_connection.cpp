// The connection to the host: reading into the queue, one message per tick
// (a message into an empty queue at once), and how the window ends when the
// host goes or is full.
#include "client/tchat.h"

#include "client/chat/phrase_buttons.h"
#include "client/look/message_box.h"
#include "client/message_trace.h"

void Tchat::sockRead(TSock* sender, int) {
    if (closing_ || leaving_)
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
        sock.Close(); // reported as "Socket Closed": the window closes
    }
    wakeTimer1();
}

void Tchat::sockInfo(TSock*, TSocketInfo info, const QString& msg) {
    if (closing_ || hostGone_ || leaving_)
        return;
    if (msg == "Socket Closed" || msg == "Socket Disconnected On Receive") {
        connectionLost();
    } else if (info == siError) {
        if (everConnected_)
            connectionLost(); // a reset ends the game like a close
        else
            say("0+Could not connect to " + sock.HostName() + ".");
    }
}

// What already arrived is still handled, in order (a last "Game is full" or
// winner must not be lost); the window closes once the queue is empty.
void Tchat::connectionLost() {
    hostGone_ = true;
    wakeTimer1();
}

void Tchat::hostFull() {
    dispatchStopped_ = true;
    messagebox::show(this, "Game is full");
    closeSoon();
}

void Tchat::closeSoon() {
    if (closing_)
        return;
    closing_ = true;
    // Never from inside a socket callback or a handler: the window's parts
    // may still be on the stack.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
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

void Tchat::processsocktimer() {
    if (dispatchStopped_ || closing_)
        return;
    if (receivedlist.isEmpty()) {
        if (hostGone_)
            closeSoon();
        return;
    }
    queuedChars_ = std::max<qsizetype>(0, queuedChars_ - receivedlist.first().size());
    messagetrace::handled(receivedlist.first());
    dispatcher_.dispatchOne(receivedlist);
}
