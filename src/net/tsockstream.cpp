#include "net/tsockstream.h"

#include "net/tsock.h"

#include <climits>
#include <cstring>

TSockStream::TSockStream(TSock* sock) : sock(sock) {
    open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

qint64 TSockStream::bytesAvailable() const {
    return sock->incoming.size() + QIODevice::bytesAvailable();
}

qint64 TSockStream::readData(char* data, qint64 maxSize) {
    try {
        QByteArray bytes = sock->ReceiveCount(int(qMin<qint64>(maxSize, INT_MAX)));
        if (bytes.size() > maxSize) {
            // A blocking receive returns all it has: keep what does not fit.
            sock->incoming.prepend(bytes.mid(maxSize));
            bytes.truncate(maxSize);
        }
        std::memcpy(data, bytes.constData(), bytes.size());
        return bytes.size();
    } catch (const ESockException&) {
        return -1;
    }
}

qint64 TSockStream::writeData(const char* data, qint64 maxSize) {
    try {
        sock->Send(QByteArray(data, maxSize));
        return maxSize;
    } catch (const ESockException&) {
        return -1;
    }
}
