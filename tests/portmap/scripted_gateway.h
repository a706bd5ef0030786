#pragma once

// A gateway that answers from a script, for the decisions above the network
// and for the worker thread: every call is recorded (under a lock, since the
// worker calls it from its own thread) and may be made to block until freed.

#include "portmap/gateway.h"

#include <QStringList>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

struct GatewayScript {
    bool present = true;
    QHostAddress external{QStringLiteral("45.77.0.1")};
    // Codes by asked external port (missing: 0, done); each is used once.
    std::multimap<quint16, int> refusals;
    bool finiteLeases = true; // false: 725 for every finite lease
    quint16 chosenPort = 0;   // NAT-PMP style: the gateway picks this port
    bool holdFind = false;    // find() blocks until release()
    bool pinholes = false;    // offers IPv6 firewall control that takes pinholes
    int pinholeCode = 0;      // the answer to every pinhole request (0: done)
    int nextPinholeId = 1;

    std::mutex lock;
    std::condition_variable freed;
    // "find", "add IN OUT LEASE", "remove OUT", "pinhole ADDRESS PORT LEASE",
    // "update ID LEASE", "delete ID"
    QStringList calls;

    void release() {
        std::lock_guard guard(lock);
        holdFind = false;
        freed.notify_all();
    }
    QStringList recorded() {
        std::lock_guard guard(lock);
        return calls;
    }
};

class ScriptedGateway : public portmap::Gateway {
public:
    explicit ScriptedGateway(std::shared_ptr<GatewayScript> script) : script_(std::move(script)) {}

    bool find() override {
        std::unique_lock guard(script_->lock);
        script_->calls.append("find");
        script_->freed.wait(guard, [this] { return !script_->holdFind; });
        return script_->present;
    }
    QHostAddress externalAddress() override { return script_->external; }
    portmap::AddReply add(quint16 internalPort, quint16 externalPort, int leaseSeconds) override {
        std::lock_guard guard(script_->lock);
        script_->calls.append(
            QString("add %1 %2 %3").arg(internalPort).arg(externalPort).arg(leaseSeconds));
        if (leaseSeconds != 0 && !script_->finiteLeases)
            return {.code = portmap::kOnlyPermanentLeasesSupported};
        if (auto it = script_->refusals.find(externalPort); it != script_->refusals.end()) {
            const int code = it->second;
            script_->refusals.erase(it);
            return {.code = code};
        }
        return {.code = 0,
                .externalPort = script_->chosenPort ? script_->chosenPort : externalPort,
                .leaseSeconds = leaseSeconds};
    }
    void remove(const portmap::Mapping& mapping) override {
        std::lock_guard guard(script_->lock);
        script_->calls.append(QString("remove %1").arg(mapping.externalPort));
    }

    bool pinholesOffered() override { return script_->pinholes; }
    portmap::PinholeReply addPinhole(const QHostAddress& address, quint16 port,
                                     int leaseSeconds) override {
        std::lock_guard guard(script_->lock);
        script_->calls.append(
            QString("pinhole %1 %2 %3").arg(address.toString()).arg(port).arg(leaseSeconds));
        if (script_->pinholeCode != 0)
            return {.code = script_->pinholeCode};
        return {.code = 0, .id = script_->nextPinholeId++};
    }
    int updatePinhole(int id, int leaseSeconds) override {
        std::lock_guard guard(script_->lock);
        script_->calls.append(QString("update %1 %2").arg(id).arg(leaseSeconds));
        return script_->pinholeCode;
    }
    void deletePinhole(int id) override {
        std::lock_guard guard(script_->lock);
        script_->calls.append(QString("delete %1").arg(id));
    }

private:
    std::shared_ptr<GatewayScript> script_;
};
