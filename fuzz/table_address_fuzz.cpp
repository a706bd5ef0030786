// Arbitrary text as a host, a typed address and an invite link. A host that
// the system's parsers would read as a number is a dotted quad (and then the
// same address) or is refused; it never reaches the resolver as a name. What
// the reader accepts reads back the same from its text and its link, a link
// accepted holds nothing blank or hidden, and no refusal shows a character
// that could hide, turn or break the words around it.

#include "net/hostcache.h"
#include "net/numeric_host.h"
#include "net/player_text.h"
#include "net/table_address.h"
#include "net/tsock.h"

#include <arpa/inet.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <netdb.h>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// The host as the C library sees it, when it can see it at all.
std::optional<QByteArray> cText(const QString& host) {
    for (const QChar c : host) {
        if (c.unicode() == 0 || c.unicode() >= 128)
            return std::nullopt;
    }
    return host.toLatin1();
}

bool systemReadsAsNumber(const QByteArray& host) {
    in_addr address{};
    if (inet_aton(host.constData(), &address) == 1)
        return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_flags = AI_NUMERICHOST;
    addrinfo* answer = nullptr;
    const bool numeric = getaddrinfo(host.constData(), nullptr, &hints, &answer) == 0;
    if (answer)
        freeaddrinfo(answer);
    return numeric;
}

void checkHost(const QString& host) {
    const std::optional<quint32> quad = numerichost::dottedQuad(host);
    check(!quad || numerichost::looksNumeric(host));
    if (const std::optional<QByteArray> text = cText(host)) {
        in_addr strict{};
        const bool strictAddress = inet_pton(AF_INET, text->constData(), &strict) == 1;
        check(strictAddress == quad.has_value());
        check(!quad || *quad == ntohl(strict.s_addr));
        check(!systemReadsAsNumber(*text) || numerichost::looksNumeric(host));
    }
    static TSock sock;
    hostcache::setResolver([](const QString& name) -> hostcache::Addresses {
        check(!numerichost::looksNumeric(name));
        if (const std::optional<QByteArray> text = cText(name))
            check(!systemReadsAsNumber(*text));
        return {};
    });
    try {
        const quint32 address = sock.HostLookup(host);
        check(host.isEmpty() ? address == 0 : quad && address == *quad);
    } catch (const ESockException&) {
        check(!quad);
    }
    // An IPv6 address is connected to as Qt reads it: both must read it alike.
    const bool ipv6 = numerichost::isIpv6(host);
    try {
        const hostcache::Addresses all = sock.HostAddresses(host);
        check(all.size() == 1 && (host.isEmpty() || quad || ipv6));
        check(!ipv6 || (all.first().protocol() == QAbstractSocket::IPv6Protocol &&
                        QHostAddress(host.section(u'%', 0, 0)) ==
                            QHostAddress(all.first().toIPv6Address())));
    } catch (const ESockException&) {
        check(!quad && !ipv6);
    }
}

void checkReading(const QString& text, bool asLink) {
    const AddressReading reading = tableaddress::read(text, 7772);
    check(playertext::replaceHidden(reading.problem, u"#") == reading.problem);
    check(reading.problem.size() < 600);
    check(reading.address.has_value() == reading.problem.isEmpty());
    if (!reading.address)
        return;
    const TableAddress& address = *reading.address;
    check(address.isIpv6() || !numerichost::isAmbiguous(address.host)); // a zone may be "8.8"
    check(tableaddress::read(address.text(), 1).address == address);
    check(tableaddress::read(address.link(), 1).address == address);
    if (asLink && reading.link) {
        QString link = text; // what a pasted line adds after it is let go
        while (!link.isEmpty() && link.back().unicode() <= u' ')
            link.chop(1);
        for (const QChar c : link)
            check(!c.isSpace() && !playertext::hidesOrBreaks(c.unicode()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    checkHost(text);
    checkReading(text, false);
    checkReading("ludomyra://" + text, true);
    return 0;
}
