#pragma once

#include <QHostAddress>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

// What asking the network's gateway to forward the game port came to. Plain
// values: they cross from the worker thread to the window's in queued events.
namespace portmap {

// The protocol a gateway answered: NAT-PMP first, since it answers in
// milliseconds, then UPnP IGD. UpnpOverIpv6 only opens pinholes: a router
// opens one only for the computer that asks from the address it names.
enum class Route { NatPmp, Upnp, UpnpOverIpv6 };

struct Mapping {
    Route route = Route::NatPmp;
    quint16 internalPort = 0;
    quint16 externalPort = 0;
    int leaseSeconds = 0; // as granted; 0: permanent
};

enum class Outcome {
    Mapped,    // the gateway forwards mapping.externalPort to this computer
    NoGateway, // no gateway answered either protocol in time
    Refused,   // a gateway answered and said no (code)
    PortTaken, // the port and the few after it are forwarded elsewhere
    Lost,      // a renewal was refused: the forward is gone
};

// An opening in the gateway's IPv6 firewall for the game port (UPnP IGDv2),
// beside the IPv4 forward: IPv6 needs no forward, only leave to come in.
enum class PinholeOutcome {
    NotAsked,   // this computer has no global IPv6 address
    Opened,     // friends may connect to address, port
    NotOffered, // no gateway with IPv6 firewall control that takes pinholes
    Refused,    // it offers them but said no (code)
    Lost,       // a renewal was refused: the opening is gone
};

struct Pinhole {
    PinholeOutcome outcome = PinholeOutcome::NotAsked;
    QHostAddress address; // this computer's global IPv6 address
    quint16 port = 0;
    int id = 0; // the gateway's name for it, to renew and remove it
    int leaseSeconds = 0;
    int code = 0;
};

struct Result {
    Outcome outcome = Outcome::NoGateway;
    Mapping mapping;
    // The gateway's own address on its outer side; null when it did not say
    // or said something that is no IPv4 address.
    QHostAddress external;
    int code = 0; // the gateway's error code when refused
    Pinhole pinhole;
};

// Where friends on the internet join while the gateway forwards a port.
struct InternetAddress {
    QHostAddress address;
    quint16 port = 0;
};

} // namespace portmap

Q_DECLARE_METATYPE(portmap::Result)
