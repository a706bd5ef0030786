#include "portmap/port_mapping.h"

#include "common/environment.h"
#include "net/address_scope.h"
#include "portmap/lease_plan.h"
#include "portmap/mapping_words.h"
#include "portmap/natpmp_gateway.h"
#include "portmap/upnp_gateway.h"

PortMapping::PortMapping(Hooks hooks, MappingWorker::GatewayFactory makeGateway, int answerLimitMs)
    : hooks_(std::move(hooks)), makeGateway_(std::move(makeGateway)),
      answerLimitMs_(answerLimitMs) {
    qRegisterMetaType<portmap::Result>();
    answerLimit_.setSingleShot(true);
    connect(&answerLimit_, &QTimer::timeout, this, [this] { giveUp(); });
    renewal_.setSingleShot(true);
    connect(&renewal_, &QTimer::timeout, this, [this] { renewNow(); });
}

PortMapping::~PortMapping() {
    if (!worker_)
        return;
    close();
    // Queued behind the removal, so that it runs first.
    post([] { QThread::currentThread()->quit(); });
    if (thread_.wait(kExitLimitMs)) {
        delete worker_;
        return;
    }
    // A gateway that hangs must not keep the program from ending; the lease
    // ends the forward instead.
    thread_.terminate();
    thread_.wait(kExitLimitMs);
}

MappingWorker::GatewayFactory PortMapping::realGateways() {
    return [](portmap::Route route) -> std::unique_ptr<portmap::Gateway> {
        if (route == portmap::Route::NatPmp)
            return std::make_unique<NatPmpGateway>();
        return std::make_unique<UpnpGateway>(kDescription, route == portmap::Route::UpnpOverIpv6);
    };
}

template <typename Work> void PortMapping::post(Work work) {
    QMetaObject::invokeMethod(worker_, std::move(work), Qt::QueuedConnection);
}

void PortMapping::open(quint16 port) {
    close();
    if (!worker_) {
        worker_ = new MappingWorker(makeGateway_);
        worker_->moveToThread(&thread_);
        connect(worker_, &MappingWorker::answered, this, &PortMapping::onAnswer,
                Qt::QueuedConnection);
        thread_.setObjectName("port mapping");
        thread_.start();
    }
    state_ = State::Asking;
    current_ = {};
    current_.mapping.internalPort = port;
    leaseSeconds_ = leaseplan::askedSeconds(environment::timeScale());
    hooks_.say(mappingwords::asking(port));
    answerLimit_.start(answerLimitMs_);
    const QHostAddress ipv6 = hooks_.globalIpv6 ? hooks_.globalIpv6() : QHostAddress();
    post([worker = worker_, port, lease = leaseSeconds_, ask = ask_, ipv6] {
        worker->map(port, lease, ask, ipv6);
    });
}

void PortMapping::close() {
    ++ask_;
    answerLimit_.stop();
    renewal_.stop();
    if (state_ != State::Off && state_ != State::Asking && holds(current_))
        post([worker = worker_, held = current_] { worker->remove(held); });
    state_ = State::Off;
}

std::optional<portmap::InternetAddress> PortMapping::internetAddress() const {
    if (state_ != State::Mapped || !addressscope::reachableFromInternet(current_.external))
        return std::nullopt;
    return portmap::InternetAddress{current_.external, current_.mapping.externalPort};
}

bool PortMapping::holds(const portmap::Result& result) {
    return result.outcome == portmap::Outcome::Mapped ||
           result.pinhole.outcome == portmap::PinholeOutcome::Opened;
}

void PortMapping::onAnswer(const portmap::Result& result, int ask) {
    if (ask != ask_) {
        // The table closed (or the answer came too late): undo what was made.
        if (holds(result))
            post([worker = worker_, held = result] { worker->remove(held); });
        return;
    }
    answerLimit_.stop();
    const bool renewal = state_ != State::Asking;
    const portmap::Result before = current_;
    current_ = result;
    state_ = result.outcome == portmap::Outcome::Mapped ? State::Mapped : State::Failed;
    scheduleRenewal();
    sayChanges(before, result, renewal);
}

void PortMapping::sayChanges(const portmap::Result& before, const portmap::Result& after,
                             bool renewal) {
    const bool mappedBefore = before.outcome == portmap::Outcome::Mapped;
    // A renewal that changes nothing says nothing.
    if (!renewal || (mappedBefore && (after.outcome != portmap::Outcome::Mapped ||
                                      after.external != before.external)))
        hooks_.say(
            mappingwords::result(after, hooks_.lanAddress ? hooks_.lanAddress() : QString()));
    if (!renewal || after.pinhole.outcome != before.pinhole.outcome) {
        const QString pinhole = mappingwords::pinhole(after);
        if (!pinhole.isEmpty())
            hooks_.say(pinhole);
    }
}

void PortMapping::scheduleRenewal() {
    renewal_.stop();
    std::optional<int> after;
    if (current_.outcome == portmap::Outcome::Mapped)
        after = leaseplan::renewAfterMs(current_.mapping.leaseSeconds);
    if (current_.pinhole.outcome == portmap::PinholeOutcome::Opened) {
        const std::optional<int> pinhole = leaseplan::renewAfterMs(current_.pinhole.leaseSeconds);
        if (pinhole && (!after || *pinhole < *after))
            after = pinhole;
    }
    if (after)
        renewal_.start(*after);
}

void PortMapping::giveUp() {
    const quint16 port = current_.mapping.internalPort;
    ++ask_;
    state_ = State::Failed;
    portmap::Result silent;
    silent.mapping.internalPort = port;
    hooks_.say(mappingwords::result(silent, hooks_.lanAddress ? hooks_.lanAddress() : QString()));
}

void PortMapping::renewNow() {
    if (state_ == State::Off || state_ == State::Asking || !holds(current_))
        return;
    post([worker = worker_, held = current_, lease = leaseSeconds_, ask = ask_] {
        worker->renew(held, lease, ask);
    });
}
