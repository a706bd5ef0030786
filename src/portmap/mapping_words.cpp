#include "portmap/mapping_words.h"

#include "net/address_scope.h"
#include "portmap/mapping_attempt.h"

namespace mappingwords {

namespace {

using portmap::Outcome;

// where: how the player forwards the port by hand.
QString whatToDo(quint16 port, const QString& where) {
    return QString(" For friends on the internet to join, forward TCP port %1 %2, let a friend "
                   "with a reachable address host, or play on a dedicated table.")
        .arg(port)
        .arg(where);
}

QString inRouterSettings(const QString& lanAddress) {
    const QString here = lanAddress.isEmpty() ? QString() : QString(" (%1)").arg(lanAddress);
    return QString("to this computer%1 in the router's settings").arg(here);
}

// Why friends outside probably cannot reach a router that sits behind another
// NAT; `clause` goes after "but" or "and". No colons: the chat would show the
// words before one as a speaker.
QString behindAnotherNat(const QString& opening, const QHostAddress& external) {
    const QString clause = external == QHostAddress(QHostAddress::AnyIPv4)
                               ? QString("it has no public address of its own")
                               : QString("its own address on the internet side, %1, is private")
                                     .arg(external.toString());
    return opening + clause +
           ". It sits behind another router or the provider's shared address, so friends on "
           "the internet probably cannot reach this table.";
}

} // namespace

QString reachableAt(const portmap::InternetAddress& internet) {
    return QString("0+Friends on the internet can join at %1, port %2.")
        .arg(internet.address.toString())
        .arg(internet.port);
}

QString asking(quint16 port) {
    return QString::fromUtf8("0+Asking the router to forward port %1 to this computer for "
                             "friends on the internet\u2026")
        .arg(port);
}

QString result(const portmap::Result& result, const QString& lanAddress) {
    const quint16 port = result.mapping.internalPort;
    const bool outerKnown = !result.external.isNull();
    const bool doubleNat = outerKnown && !addressscope::reachableFromInternet(result.external);
    switch (result.outcome) {
    case Outcome::Mapped: {
        const quint16 outer = result.mapping.externalPort;
        if (doubleNat)
            return behindAnotherNat(
                       QString("0+The router forwards port %1 to this computer, but ").arg(outer),
                       result.external) +
                   whatToDo(outer, "on the outer router too");
        if (!outerKnown)
            return QString("0+The router forwards port %1 to this computer but did not say its "
                           "address on the internet, and friends need that address and port "
                           "%1 to join.")
                .arg(outer);
        const QString said = reachableAt({result.external, outer});
        if (outer == port)
            return said;
        return said.chopped(1) + QString(" (the router's port %1 was taken).").arg(port);
    }
    case Outcome::NoGateway:
        return "0+No router answered the request to forward the game's port." +
               whatToDo(port, inRouterSettings(lanAddress));
    case Outcome::Refused:
        if (doubleNat)
            return behindAnotherNat("0+The router refused to forward the game's port, and ",
                                    result.external) +
                   whatToDo(port, inRouterSettings(lanAddress));
        return QString("0+The router refused to forward port %1 (error %2).")
                   .arg(port)
                   .arg(result.code) +
               whatToDo(port, inRouterSettings(lanAddress));
    case Outcome::PortTaken:
        return QString("0+The router already forwards port %1 and the %2 ports after it to "
                       "other computers.")
                   .arg(port)
                   .arg(portmap::kPortsTried - 1) +
               whatToDo(port, inRouterSettings(lanAddress));
    case Outcome::Lost:
        return QString("0+The router stopped forwarding port %1, so friends on the internet "
                       "may no longer reach this table.")
            .arg(result.mapping.externalPort);
    }
    return {};
}

QString pinhole(const portmap::Result& result) {
    using portmap::PinholeOutcome;
    const portmap::Pinhole& hole = result.pinhole;
    const bool ipv4Works =
        result.outcome == Outcome::Mapped && addressscope::reachableFromInternet(result.external);
    const QString otherwise =
        ipv4Works ? QString(", so friends on the internet join over IPv4.") : QString(" either.");
    switch (hole.outcome) {
    case PinholeOutcome::NotAsked:
        return {};
    case PinholeOutcome::Opened:
        return QString("0+The router lets friends on the internet join over IPv6 at %1, port %2.")
            .arg(hole.address.toString())
            .arg(hole.port);
    case PinholeOutcome::NotOffered:
        return "0+The router does not offer to open the game's port for IPv6" + otherwise;
    case PinholeOutcome::Refused:
        return QString("0+The router refused to open port %1 for IPv6 (error %2)")
                   .arg(hole.port)
                   .arg(hole.code) +
               otherwise;
    case PinholeOutcome::Lost:
        return QString("0+The router stopped letting IPv6 in on port %1, so friends may no longer "
                       "reach this table over IPv6.")
            .arg(hole.port);
    }
    return {};
}

} // namespace mappingwords
