#include "host/tserver.h"

#include "common/environment.h"
#include "net/game_messages.h"
#include "net/protocol.h"

#include <QDebug>
#include <algorithm>
#include <exception>

// The word lists are compiled into this library; a static library has to
// register its resources itself (and not from inside a namespace).
static WordLists builtInWords() {
    Q_INIT_RESOURCE(words);
    return WordLists::builtIn();
}

namespace {
const QString kSocketClosed = QStringLiteral("Socket Closed");
} // namespace

TServer::TServer(const HostOptions& options, QObject* parent)
    : QObject(parent), session_(*this, *this, *this, options, *this, builtInWords()),
      sock1_(std::make_unique<TSock>()) {
    setObjectName(QStringLiteral("Server"));

    tempsock.OnDisconnect = [this](TSock* sender) {
        tempsockDisconnect(sender);
    };
    tempsock.OnInfo = [this](TSock* sender, TSocketInfo info, const QString& msg) {
        tempsockInfo(sender, info, msg);
    };
    sock1_->setPortName(environment::gamePortName());
    sock1_->OnAccept = [this](TSock* sender) {
        Sock1Accept(sender);
    };
    sock1_->OnRead = [this](TSock* sender, int count) {
        Sock1Read(sender, count);
    };

    socktimer.setSingleShot(true);
    connect(&socktimer, &QTimer::timeout, this, &TServer::socktimerTimer);
    socktimer.start(kSocktimerMs); // the queue starts with one entry
    turntimer.setInterval(environment::scaledInterval(kTurntimerMs));
    connect(&turntimer, &QTimer::timeout, this, &TServer::turntimerTimer);
    computertimer.setSingleShot(true);
    connect(&computertimer, &QTimer::timeout, this, &TServer::computertimerTimer);
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        QTimer& timer = holdtimers[static_cast<size_t>(seat)];
        timer.setSingleShot(true);
        timer.setInterval(graceMs());
        connect(&timer, &QTimer::timeout, this,
                [this, seat] { guarded("holdtimer", [&] { session_.holdTimerTimer(seat); }); });
    }
}

TServer::~TServer() {
    // An orderly end: a window tells it from a host that died by the goodbye.
    guarded("goodbye", [&] { session_.closeTable(); });
    // The accepted sockets report their closing as they go; nobody listens any more.
    for (QObject* child : sock1_->children()) {
        auto* accepted = dynamic_cast<TSock*>(child); // TSock has no meta-object of its own
        if (!accepted)
            continue;
        accepted->OnInfo = nullptr;
        accepted->OnDisconnect = nullptr;
        accepted->OnRead = nullptr;
    }
    sock1_.reset();
}

// A fault in one event must not end the host: it is reported and the event
// loop goes on serving the others.
template <typename Handler> void TServer::guarded(const char* where, Handler handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        qWarning("Server: %s: %s", where, error.what());
    }
}

void TServer::Sock1Accept(TSock* sender) {
    guarded("accept", [&] {
        const int slot = session_.chooseSlot();
        if (slot == 0) {
            refuse(sender);
            return;
        }
        TSock* accepted = nullptr;
        if (!sender->Accept(accepted) || accepted == nullptr)
            return; // nothing to seat; the slot stays free
        accepted->OnDisconnect = tempsock.OnDisconnect;
        accepted->OnInfo = tempsock.OnInfo;
        accepted->OnRead = [this](TSock* from, int count) {
            Sock1Read(from, count);
        };
        session_.state().player(slot).sock = accepted;
        session_.connectionAccepted(slot);
        if (loginDeadline_)
            loginDeadline_->asked(slot);
    });
}

// No free slot: the connection is told so and dropped at once.
void TServer::refuse(TSock* listener) {
    TSock* refused = nullptr;
    if (!listener->Accept(refused) || refused == nullptr)
        return;
    const std::unique_ptr<TSock> closing(refused);
    refused->OnInfo = nullptr;
    refused->OnDisconnect = nullptr;
    refused->OnRead = nullptr;
    refused->Send(buildMessage(gamemsg::Full::build()));
}

void TServer::Sock1Read(TSock* sender, int) {
    guarded("read", [&] {
        const int slot = slotOf(sender);
        if (slot == 0)
            return;
        const bool freshLine = session_.inbox().waitingFrom(slot) == 0;
        const bool withinLimits = session_.received(slot, sender->Receive());
        if (withinLimits && freshLine && session_.inbox().waitingFrom(slot) > 0)
            serveFreshLine(slot);
        wakeSocktimer();
        if (!withinLimits)
            disconnectsock(slot); // over a limit: it goes like any departing player
    });
}

// A connection without a backlog need not wait for the tick that others'
// backlogs keep busy: its first message is handled as soon as the event loop
// is back (never inside its socket's report), at most once a tick period
// for each connection, so that this costs no more than the ticks do.
void TServer::serveFreshLine(int slot) {
    QElapsedTimer& last = servedAtOnce[static_cast<size_t>(slot)];
    if (last.isValid() && last.elapsed() < kSocktimerMs)
        return;
    last.start();
    const quint64 connection = session_.inbox().connectionNumber(slot);
    QMetaObject::invokeMethod(
        this,
        [this, slot, connection] {
            guarded("dispatch", [&] { session_.serveAtOnce(slot, connection); });
        },
        Qt::QueuedConnection);
}

void TServer::tempsockDisconnect(TSock* sender) {
    guarded("disconnect", [&] {
        if (slotOf(sender) != 0)
            sender->Close();
    });
}

// "Socket Closed" is a departure. So is an error: a connection reset or
// aborted by its peer is reported only that way, and would otherwise hold
// its slot for ever.
void TServer::tempsockInfo(TSock* sender, TSocketInfo info, const QString& msg) {
    guarded("info", [&] {
        const int slot = slotOf(sender);
        if (slot == 0)
            return;
        if (msg == kSocketClosed)
            departed(slot);
        else if (info == siError)
            sender->Close(); // reports "Socket Closed"
    });
}

void TServer::departed(int slot) {
    TSock* sock = session_.state().player(slot).sock;
    session_.state().player(slot).sock = nullptr;
    session_.connectionClosed(slot);
    if (loginDeadline_)
        loginDeadline_->gone(slot);
    sock->deleteLater(); // it is still inside its own report
}

int TServer::slotOf(const TSock* sock) const {
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        const tplayer& player = session_.state().player(slot);
        if (player.inuse && player.sock == sock)
            return slot;
    }
    return 0;
}

void TServer::disconnectsock(int slot) {
    if (!HostState::validSlot(slot))
        return;
    const tplayer& player = session_.state().player(slot);
    if (player.inuse && player.sock)
        player.sock->Close();
}

void TServer::setLoginDeadline(int milliseconds) {
    HostConnections& connections = *this;
    loginDeadline_ = std::make_unique<LoginDeadline>(session_.state(), connections, milliseconds);
}

// An idle host must cost nothing: the tick comes only while messages wait,
// and never sooner than one period after the last tick that handled any, so
// that a backlog is worked off at a bounded pace.
void TServer::wakeSocktimer() {
    if (socktimer.isActive() || session_.inbox().waiting() == 0)
        return;
    const qint64 since = sinceLastTick.isValid() ? sinceLastTick.elapsed() : kSocktimerMs;
    socktimer.start(int(std::max<qint64>(0, kSocktimerMs - since)));
}

void TServer::socktimerTimer() {
    // A tick that found nothing to do (the queue's first, empty entry) does
    // not hold back the next message: only handled messages set the pace.
    QElapsedTimer tickStarted;
    tickStarted.start();
    bool handled = false;
    guarded("dispatch", [&] { handled = session_.socktimerTimer(); });
    if (handled)
        sinceLastTick = tickStarted;
    wakeSocktimer();
}

void TServer::turntimerTimer() {
    guarded("turntimer", [&] { session_.turntimerTimer(); });
}

void TServer::computertimerTimer() {
    guarded("computertimer", [&] { session_.computertimerTimer(); });
}

void TServer::sendTo(int slot, const QString& message) {
    if (slot < 1 || slot > game::kSlots)
        return;
    TSock* sock = session_.state().player(slot).sock;
    if (!sock)
        return;
    try {
        sock->Send(buildMessage(message));
    } catch (const ESockException&) {
        // The connection is going; its close report frees the slot.
    }
}

void TServer::startTurnTimer() {
    turntimer.start();
}

void TServer::stopTurnTimer() {
    turntimer.stop();
}

bool TServer::turnTimerActive() const {
    return turntimer.isActive();
}

void TServer::startComputerTimer(int milliseconds) {
    computertimer.start(environment::scaledInterval(milliseconds));
}

void TServer::stopComputerTimer() {
    computertimer.stop();
}

int TServer::graceMs() const {
    return environment::scaledInterval(kHoldMs);
}

void TServer::startHoldTimer(int seat) {
    if (seat >= 1 && seat <= game::kSeats)
        holdtimers[static_cast<size_t>(seat)].start();
}

void TServer::stopHoldTimer(int seat) {
    if (seat >= 1 && seat <= game::kSeats)
        holdtimers[static_cast<size_t>(seat)].stop();
}
