#include "portmap/upnp_gateway.h"

#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>

UpnpGateway::~UpnpGateway() {
    if (found_)
        FreeUPNPUrls(&urls_);
}

bool UpnpGateway::find() {
    if (found_)
        return true;
    int error = 0;
    // One search: the library waits the whole limit for each type it asks
    // about, and an IGD of any version answers a search for version 1.
    UPNPDev* devices =
        upnpDiscoverDevice("urn:schemas-upnp-org:device:InternetGatewayDevice:1", kDiscoverMs,
                           nullptr, nullptr, UPNP_LOCAL_PORT_ANY, overIpv6_ ? 1 : 0, 2, &error);
    if (!devices)
        return false;
    const int status = UPNP_GetValidIGD(devices, &urls_, &data_, lanAddress_, sizeof lanAddress_);
    freeUPNPDevlist(devices);
    if (status == 0)
        return false;
    // 3: a device that is no IGD. 2: an IGD that says it is not connected,
    // as one whose own outer address is private does: asked all the same, so
    // that the player learns why.
    if (status == 3) {
        FreeUPNPUrls(&urls_);
        return false;
    }
    found_ = true;
    connected_ = status == 1;
    return true;
}

QHostAddress UpnpGateway::externalAddress() {
    if (found_ && !connected_)
        return QHostAddress(QHostAddress::AnyIPv4); // it has none on the internet
    char text[40] = {};                             // the library copies at most 16 bytes
    if (!found_ || UPNP_GetExternalIPAddress(urls_.controlURL, data_.first.servicetype, text) != 0)
        return {};
    text[sizeof text - 1] = 0;
    const QHostAddress address(QString::fromLatin1(text));
    return address.protocol() == QAbstractSocket::IPv4Protocol ? address : QHostAddress();
}

portmap::AddReply UpnpGateway::add(quint16 internalPort, quint16 externalPort, int leaseSeconds) {
    const QByteArray outer = QByteArray::number(externalPort);
    const QByteArray inner = QByteArray::number(internalPort);
    const QByteArray lease = QByteArray::number(leaseSeconds);
    const int code = UPNP_AddPortMapping(
        urls_.controlURL, data_.first.servicetype, outer.constData(), inner.constData(),
        lanAddress_, description_.constData(), "TCP", nullptr, lease.constData());
    return {.code = code, .externalPort = externalPort, .leaseSeconds = leaseSeconds};
}

void UpnpGateway::remove(const portmap::Mapping& mapping) {
    const QByteArray outer = QByteArray::number(mapping.externalPort);
    UPNP_DeletePortMapping(urls_.controlURL, data_.first.servicetype, outer.constData(), "TCP",
                           nullptr);
}

bool UpnpGateway::pinholesOffered() {
    // An IGDv1 (or an IGDv2 without IPv6) lists no firewall control service.
    if (!found_ || !urls_.controlURL_6FC || !*urls_.controlURL_6FC || !data_.IPv6FC.servicetype[0])
        return false;
    int enabled = 0;
    int inboundAllowed = 0;
    if (UPNP_GetFirewallStatus(urls_.controlURL_6FC, data_.IPv6FC.servicetype, &enabled,
                               &inboundAllowed) != 0)
        return false;
    return enabled && inboundAllowed;
}

portmap::PinholeReply UpnpGateway::addPinhole(const QHostAddress& address, quint16 port,
                                              int leaseSeconds) {
    const QByteArray inside = address.toString().toLatin1();
    const QByteArray inner = QByteArray::number(port);
    const QByteArray lease = QByteArray::number(leaseSeconds);
    char id[16] = {}; // the library copies at most 8 bytes
    // From any host and port ("" and 0), TCP (IANA protocol 6).
    const int code =
        UPNP_AddPinhole(urls_.controlURL_6FC, data_.IPv6FC.servicetype, "", "0", inside.constData(),
                        inner.constData(), "6", lease.constData(), id);
    id[sizeof id - 1] = 0;
    bool number = false;
    const int parsed = QByteArray(id).toInt(&number);
    if (code == 0 && !number)
        return {.code = -1}; // an id that is no number could not be renewed or removed
    return {.code = code, .id = parsed};
}

int UpnpGateway::updatePinhole(int id, int leaseSeconds) {
    const QByteArray unique = QByteArray::number(id);
    const QByteArray lease = QByteArray::number(leaseSeconds);
    return UPNP_UpdatePinhole(urls_.controlURL_6FC, data_.IPv6FC.servicetype, unique.constData(),
                              lease.constData());
}

void UpnpGateway::deletePinhole(int id) {
    const QByteArray unique = QByteArray::number(id);
    UPNP_DeletePinhole(urls_.controlURL_6FC, data_.IPv6FC.servicetype, unique.constData());
}
