#pragma once

#include <QThread>
#include <functional>

class TSock;

// Runs the auto-accept handler of a blocking listener on a thread of its own; the
// thread deletes itself when the handler returns.
class TSockThread : public QThread {
public:
    using Handler = std::function<void(TSock* listener, TSock* newSock)>;

    static void launch(TSock* listener, TSock* newSock, Handler handler);

protected:
    void run() override;

private:
    TSockThread(TSock* listener, TSock* newSock, Handler handler);

    TSock* listener;
    TSock* newSock;
    Handler handler;
};
