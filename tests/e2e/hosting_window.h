#pragma once

// A game window that hosts (`ludomyra NAME 127.0.0.1 true`, or solo) can be
// given slot 1's say to a raw peer: the window is started with the
// delayed-connect library preloaded, so its own client reaches the host a
// second late and the peer, which connects as soon as the host listens,
// takes slot 1.

#include "gui_process.h"
#include "raw_client.h"

#include <memory>

// A port that was free a moment ago: a hosting window listens where
// LUDOMYRA_PORT says and tells nobody, so the caller picks the port.
quint16 freePort();

// Preloads the delayed-connect library (its path) into the window.
void holdBackOwnClient(GuiProcess& window, const QString& libraryPath);

// Connects as soon as the host on port listens; null if it never does.
std::unique_ptr<testsupport::RawClient> connectWhenListening(quint16 port);
