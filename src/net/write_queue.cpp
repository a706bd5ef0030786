#include "net/write_queue.h"

void WriteQueue::append(const QByteArray& data) {
    if (!cut)
        bytes.append(data);
}

bool WriteQueue::cutPastBound() {
    if (cut || bytes.size() <= maxWaiting)
        return false;
    cut = true;
    bytes = QByteArray(); // gives the memory back, not only the contents
    return true;
}

void WriteQueue::restart() {
    bytes = QByteArray();
    cut = false;
}
