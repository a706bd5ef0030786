#pragma once

#include "portmap/gateway.h"

#include <natpmp.h>

// NAT-PMP through libnatpmp, to the default gateway. The library retries a
// silent gateway for about a minute; here every request gets kAnswerMs.
class NatPmpGateway : public portmap::Gateway {
public:
    // A gateway that speaks NAT-PMP answers within milliseconds; a router
    // that does not answers with nothing, and is given up on after this.
    static constexpr int kAnswerMs = 1500;

    NatPmpGateway() = default;
    ~NatPmpGateway() override;
    NatPmpGateway(const NatPmpGateway&) = delete;
    NatPmpGateway& operator=(const NatPmpGateway&) = delete;

    bool find() override;
    QHostAddress externalAddress() override { return external_; }
    portmap::AddReply add(quint16 internalPort, quint16 externalPort, int leaseSeconds) override;
    void remove(const portmap::Mapping& mapping) override;

private:
    // The answer to the request just sent: 0, or libnatpmp's error.
    int awaitAnswer(natpmpresp_t& answer);

    natpmp_t natpmp_{};
    bool open_ = false;
    QHostAddress external_;
};
