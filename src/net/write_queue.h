#pragma once

#include <QByteArray>

// What waits to be written to one peer: the bytes the platform has not taken
// yet, in order. A peer that does not read must not grow our memory without
// limit, so what waits has a bound; past it the connection counts as lost.
class WriteQueue {
public:
    // The largest message the game sends is a relayed chat line: at most the
    // 64 KiB a peer may send in one message, plus the sender's name. The host
    // relays one message a tick (10 ms), so even a line from each of the eight
    // others at once is half a MiB over 80 ms, most of which the platform's own
    // buffer takes before anything waits here. A peer with a MiB waiting on top
    // of that has stopped reading.
    static constexpr qsizetype kMaxWaiting = 1024 * 1024;

    explicit WriteQueue(qsizetype maxWaiting = kMaxWaiting) : maxWaiting_(maxWaiting) {}

    // Queues bytes behind those waiting; dropped once the queue has been cut.
    void append(const QByteArray& bytes);
    // True the first time what waits has grown past the bound: the queue is
    // cut then, everything waiting is dropped and so is everything appended
    // until restart, since a stream with a hole in it is garbage to the peer.
    bool cutPastBound();

    bool isEmpty() const { return bytes_.isEmpty(); }
    qsizetype size() const { return bytes_.size(); }
    const char* constData() const { return bytes_.constData(); }
    // The platform took the first count bytes.
    void written(qsizetype count) { bytes_.remove(0, count); }

    // A new connection: nothing waits and the queue takes bytes again.
    void restart();

private:
    QByteArray bytes_;
    qsizetype maxWaiting_;
    bool cut_ = false;
};
