#pragma once

#include <QString>

// The one way the client's parts talk to the host. Production sends through
// the connection's socket; tests may record what would have been sent.
class ClientOutbox {
public:
    virtual ~ClientOutbox() = default;
    // text: the command word and its fields joined by "+", without the terminator.
    virtual void send(const QString& text) = 0;
};
