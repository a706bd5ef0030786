#pragma once

#include <QIODevice>

class TSock;

// Presents a TSock as a byte stream: reading takes buffered bytes (ReceiveCount),
// writing sends (Send); seeking does nothing.
class TSockStream : public QIODevice {
public:
    explicit TSockStream(TSock* sock);

    bool isSequential() const override { return true; }
    bool seek(qint64) override { return false; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    TSock* sock;
};
