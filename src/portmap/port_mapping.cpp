#include "portmap/port_mapping.h"

#include "common/environment.h"
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
        return std::make_unique<UpnpGateway>(kDescription);
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
    post([worker = worker_, port, lease = leaseSeconds_, ask = ask_] {
        worker->map(port, lease, ask);
    });
}

void PortMapping::close() {
    ++ask_;
    answerLimit_.stop();
    renewal_.stop();
    if (state_ == State::Mapped)
        post([worker = worker_, mapping = current_.mapping] { worker->remove(mapping); });
    state_ = State::Off;
}

std::optional<portmap::InternetAddress> PortMapping::internetAddress() const {
    if (state_ != State::Mapped || !mappingwords::reachableFromInternet(current_.external))
        return std::nullopt;
    return portmap::InternetAddress{current_.external, current_.mapping.externalPort};
}

void PortMapping::onAnswer(const portmap::Result& result, int ask) {
    if (ask != ask_) {
        // The table closed (or the answer came too late): undo what was made.
        if (result.outcome == portmap::Outcome::Mapped)
            post([worker = worker_, mapping = result.mapping] { worker->remove(mapping); });
        return;
    }
    answerLimit_.stop();
    const bool renewal = state_ == State::Mapped;
    const QHostAddress externalBefore = current_.external;
    current_ = result;
    state_ = result.outcome == portmap::Outcome::Mapped ? State::Mapped : State::Failed;
    if (state_ == State::Mapped) {
        if (const std::optional<int> after = leaseplan::renewAfterMs(result.mapping.leaseSeconds))
            renewal_.start(*after);
        if (renewal && externalBefore == result.external)
            return; // nothing new to say
    }
    hooks_.say(mappingwords::result(result, hooks_.lanAddress ? hooks_.lanAddress() : QString()));
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
    if (state_ != State::Mapped)
        return;
    post([worker = worker_, mapping = current_.mapping, lease = leaseSeconds_, ask = ask_] {
        worker->renew(mapping, lease, ask);
    });
}
