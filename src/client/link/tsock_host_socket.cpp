#include "client/link/tsock_host_socket.h"

#include "client/link/link_watch.h"
#include "common/environment.h"

// TSock reports every close, the own ones too, as kind siClose; the host's
// close comes first as OnDisconnect, so only that one is told.
TSockHostSocket::TSockHostSocket() {
    sock_.setPortName(environment::gamePortName());
    sock_.OnConnect = [this](TSock*) {
        linkwatch::watch(sock_.SocketHandle());
        if (events_.connected)
            events_.connected();
    };
    sock_.OnRead = [this](TSock*, int) {
        if (events_.received)
            events_.received(sock_.Receive());
    };
    sock_.OnDisconnect = [this](TSock*) {
        if (events_.closedByPeer)
            events_.closedByPeer();
    };
    sock_.OnInfo = [this](TSock*, TSocketInfo info, const QString&) {
        if (info == siError && events_.failed)
            events_.failed();
    };
}

// The socket's own close at its end is no news to anyone.
TSockHostSocket::~TSockHostSocket() {
    sock_.OnConnect = nullptr;
    sock_.OnRead = nullptr;
    sock_.OnDisconnect = nullptr;
    sock_.OnInfo = nullptr;
}

bool TSockHostSocket::open(const QString& host, const QString& port) {
    sock_.setHostName(host);
    sock_.setPortName(port);
    try {
        sock_.Open();
    } catch (const ESockException&) {
        return false;
    }
    return true;
}

void TSockHostSocket::close() {
    sock_.Close();
}
