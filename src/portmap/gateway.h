#pragma once

#include "portmap/mapping_result.h"

// One protocol's way to a gateway. Every call blocks (bounded by the
// implementation's own limits), so it is only ever used on the mapping worker.
namespace portmap {

// Error codes in UPnP IGD's numbering; NAT-PMP's refusals map to others.
inline constexpr int kConflictInMappingEntry = 718;
inline constexpr int kOnlyPermanentLeasesSupported = 725;

struct AddReply {
    int code = 0;             // 0: done
    quint16 externalPort = 0; // where it was made (NAT-PMP may choose another)
    int leaseSeconds = 0;     // granted; 0: permanent
};

struct PinholeReply {
    int code = 0; // 0: done
    int id = 0;
};

class Gateway {
public:
    virtual ~Gateway() = default;
    // Finds a gateway that speaks this protocol; false when none answers in time.
    virtual bool find() = 0;
    // Its outer address, parsed as IPv4; null when it gives none or garbage;
    // 0.0.0.0 when it says it has none on the internet (behind another NAT).
    virtual QHostAddress externalAddress() = 0;
    // leaseSeconds 0 asks for a permanent forward.
    virtual AddReply add(quint16 internalPort, quint16 externalPort, int leaseSeconds) = 0;
    virtual void remove(const Mapping& mapping) = 0;

    // IPv6 firewall control, where the protocol and the gateway offer it
    // (after find()): whether inbound pinholes may be asked for at all.
    virtual bool pinholesOffered() { return false; }
    // Lets TCP from anywhere in to address, port for leaseSeconds (never 0:
    // pinholes have no permanent form).
    virtual PinholeReply addPinhole(const QHostAddress& address, quint16 port, int leaseSeconds) {
        Q_UNUSED(address);
        Q_UNUSED(port);
        Q_UNUSED(leaseSeconds);
        return {.code = -1};
    }
    // 0 when the gateway extended it.
    virtual int updatePinhole(int id, int leaseSeconds) {
        Q_UNUSED(id);
        Q_UNUSED(leaseSeconds);
        return -1;
    }
    virtual void deletePinhole(int id) { Q_UNUSED(id); }
};

} // namespace portmap
