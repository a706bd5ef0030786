#include "hosting_window.h"

#include "event_wait.h"

#include <QTcpServer>
#include <stdexcept>

quint16 freePort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::AnyIPv4, 0) ? probe.serverPort() : 0;
}

void holdBackOwnClient(GuiProcess& window, const QString& libraryPath) {
    window.setEnvironment("LD_PRELOAD", libraryPath);
    window.setEnvironment("LUDOMYRA_CONNECT_DELAY_MS", "1000");
}

std::unique_ptr<testsupport::RawClient> connectWhenListening(quint16 port) {
    std::unique_ptr<testsupport::RawClient> client;
    testsupport::waitFor(
        [&] {
            try {
                client = std::make_unique<testsupport::RawClient>(port);
            } catch (const std::runtime_error&) {
            }
            return client != nullptr;
        },
        15000);
    return client;
}
