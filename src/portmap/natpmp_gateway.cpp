#include "portmap/natpmp_gateway.h"

#include <QDeadlineTimer>
#include <sys/select.h>

NatPmpGateway::~NatPmpGateway() {
    if (open_)
        closenatpmp(&natpmp_);
}

bool NatPmpGateway::find() {
    if (!open_) {
        if (initnatpmp(&natpmp_, 0, 0) != 0)
            return false; // no default gateway
        open_ = true;
    }
    natpmpresp_t answer{};
    if (sendpublicaddressrequest(&natpmp_) < 0)
        return false;
    const int error = awaitAnswer(answer);
    if (error == NATPMP_ERR_NETWORKFAILURE) {
        // It speaks NAT-PMP but has no address on the internet of its own
        // (behind another router): asked all the same, so the player learns why.
        external_ = QHostAddress(QHostAddress::AnyIPv4);
        return true;
    }
    if (error != 0 || answer.type != NATPMP_RESPTYPE_PUBLICADDRESS)
        return false;
    external_ = QHostAddress(ntohl(answer.pnu.publicaddress.addr.s_addr));
    return true;
}

portmap::AddReply NatPmpGateway::add(quint16 internalPort, quint16 externalPort, int leaseSeconds) {
    // NAT-PMP has no permanent forward (a lifetime of 0 removes one): ask for
    // the longest the table could want, removed when it closes.
    const uint32_t lifetime = leaseSeconds > 0 ? uint32_t(leaseSeconds) : 7 * 24 * 3600;
    natpmpresp_t answer{};
    if (!open_ || sendnewportmappingrequest(&natpmp_, NATPMP_PROTOCOL_TCP, internalPort,
                                            externalPort, lifetime) < 0)
        return {.code = -1};
    const int error = awaitAnswer(answer);
    if (error != 0)
        return {.code = error < 0 ? -error : error};
    return {.code = 0,
            .externalPort = answer.pnu.newportmapping.mappedpublicport,
            .leaseSeconds = int(answer.pnu.newportmapping.lifetime)};
}

void NatPmpGateway::remove(const portmap::Mapping& mapping) {
    natpmpresp_t answer{};
    if (open_ && sendnewportmappingrequest(&natpmp_, NATPMP_PROTOCOL_TCP, mapping.internalPort,
                                           mapping.externalPort, 0) >= 0)
        awaitAnswer(answer);
}

int NatPmpGateway::awaitAnswer(natpmpresp_t& answer) {
    const QDeadlineTimer deadline(kAnswerMs);
    for (;;) {
        timeval wait{};
        if (getnatpmprequesttimeout(&natpmp_, &wait) < 0)
            return NATPMP_ERR_NOPENDINGREQ;
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return NATPMP_TRYAGAIN;
        if (wait.tv_sec * 1000 + wait.tv_usec / 1000 > left)
            wait = {left / 1000, (left % 1000) * 1000};
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(natpmp_.s, &readable);
        ::select(natpmp_.s + 1, &readable, nullptr, nullptr, &wait);
        const int read = readnatpmpresponseorretry(&natpmp_, &answer);
        if (read != NATPMP_TRYAGAIN)
            return read;
    }
}
