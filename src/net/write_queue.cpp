#include "net/write_queue.h"

void WriteQueue::append(const QByteArray& data) {
    if (!cut_)
        bytes_.append(data);
}

bool WriteQueue::cutPastBound() {
    if (cut_ || bytes_.size() <= maxWaiting_)
        return false;
    cut_ = true;
    bytes_ = QByteArray(); // gives the memory back, not only the contents
    return true;
}

void WriteQueue::restart() {
    bytes_ = QByteArray();
    cut_ = false;
}
