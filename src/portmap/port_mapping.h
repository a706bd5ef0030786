#pragma once

#include "portmap/mapping_worker.h"

#include <QHostAddress>
#include <QThread>
#include <QTimer>
#include <functional>
#include <optional>

// Asks the network's gateway to forward a hosted table's port while it is
// open, renews the lease, and removes the forward when the table closes or
// the program ends. Lives on the window's thread; the gateway is spoken to
// on a worker thread started at the first table hosted for others, never for
// a solo game. Results come back as queued events and are said in the chat.
class PortMapping : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void(const QString& systemLine)> say;
        // This computer's best address on its network (for advice), or empty.
        std::function<QString()> lanAddress;
        // This computer's global IPv6 address, for a pinhole; null or unset: none.
        std::function<QHostAddress()> globalIpv6;
    };
    // The name forwards get in the router's list, so a player can find them.
    static constexpr char kDescription[] = "Ludomyra";
    // The longest a gateway may take over both protocols before the chat says
    // none answered; a late answer is then undone. Not a game clock: the
    // clock scale leaves it alone, since routers do not answer faster in tests.
    static constexpr int kAnswerLimitMs = 12000;
    // At exit, the removal may hold the program this long.
    static constexpr int kExitLimitMs = 3000;

    explicit PortMapping(Hooks hooks, MappingWorker::GatewayFactory makeGateway = realGateways(),
                         int answerLimitMs = kAnswerLimitMs);
    ~PortMapping() override;

    // Asks for a forward to port; the current one, if any, is removed first.
    void open(quint16 port);
    // Removes the forward (if any) and forgets any answer still to come.
    void close();

    // Set while the gateway forwards a port and its outer address is public.
    std::optional<portmap::InternetAddress> internetAddress() const;

    static MappingWorker::GatewayFactory realGateways();

private:
    enum class State { Off, Asking, Mapped, Failed };

    // Whether the gateway holds something for this table: a forward or a pinhole.
    static bool holds(const portmap::Result& result);
    void sayChanges(const portmap::Result& before, const portmap::Result& after, bool renewal);
    void scheduleRenewal();
    void onAnswer(const portmap::Result& result, int ask);
    void giveUp();
    void renewNow();
    template <typename Work> void post(Work work);

    Hooks hooks_;
    MappingWorker::GatewayFactory makeGateway_;
    QThread thread_;
    MappingWorker* worker_ = nullptr; // lives on thread_, made at the first open
    State state_ = State::Off;
    portmap::Result current_;
    int ask_ = 0; // answers to older asks are stale
    int leaseSeconds_ = 0;
    int answerLimitMs_;
    QTimer answerLimit_;
    QTimer renewal_;
};
