#include "net/tsockthread.h"

TSockThread::TSockThread(TSock* listener, TSock* newSock, Handler handler)
    : listener(listener), newSock(newSock), handler(std::move(handler)) {}

void TSockThread::launch(TSock* listener, TSock* newSock, Handler handler) {
    auto* thread = new TSockThread(listener, newSock, std::move(handler));
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

void TSockThread::run() {
    try {
        handler(listener, newSock);
    } catch (...) {
        // Nobody on this thread could show it; the connection's own reports tell the rest.
    }
}
