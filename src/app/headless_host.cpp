#include "app/headless_host.h"

#include "app/join_addresses.h"
#include "app/termination_signals.h"
#include "common/environment.h"
#include "host/ini_host_options.h"
#include "host/table_responder.h"
#include "host/tserver.h"
#include "net/tsock.h"
#include "portmap/port_mapping.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

// A real client answers CMD_sendlogininfo at once; a public host gives
// silent connections this long (times the clock scale) before it drops them.
constexpr int kLoginDeadlineMs = 30000;

// The chat's words about the router, for whoever runs the server.
void printSystemLine(const QString& line) {
    std::printf("%s\n", line.section(u'+', 1).toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int runHeadlessHost(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Ludomyra");
    bool discovery = true;
    for (const QString& option : QCoreApplication::arguments().mid(2)) {
        if (option != QLatin1String(kNoDiscoveryOption)) {
            // A mistyped option must not leave a public host listed by accident.
            std::fprintf(stderr, "ludomyra: unknown option %s\nusage: ludomyra --serve [%s]\n",
                         option.toUtf8().constData(), kNoDiscoveryOption);
            return 2;
        }
        discovery = false;
    }
    if (!onTerminationSignals(&app, [&app] { app.quit(); })) {
        std::fprintf(stderr, "ludomyra: cannot watch for termination signals\n");
        return 1;
    }
    IniHostOptions options(environment::settingsFile());
    TServer server(options);
    server.setDedicated();
    server.setLoginDeadline(environment::scaledInterval(kLoginDeadlineMs));
    try {
        server.Sock1().setListen(true);
    } catch (const ESockException& error) {
        std::fprintf(stderr, "ludomyra: %s\n", error.what());
        return 1;
    }
    const quint16 gamePort = server.Sock1().localPort();
    TableResponder responder(server.state());
    std::printf("Ludomyra host listening on port %u\n", gamePort);
    const QString tableName = options.tableName();
    if (discovery && options.discoveryOn() && responder.startOnDiscoveryPort(gamePort, tableName))
        std::printf("Answering table queries on UDP port %u as \"%s\"\n", responder.localPort(),
                    tableName.toUtf8().constData());
    std::fflush(stdout);
    std::unique_ptr<PortMapping> portMapping;
    if (options.portMappingOn()) {
        portMapping = std::make_unique<PortMapping>(PortMapping::Hooks{
            .say = [](const QString& line) { printSystemLine(line); },
            .lanAddress = {},
            .globalIpv6 = [] { return joinaddresses::globalIpv6(joinaddresses::ofThisComputer()); },
        });
        portMapping->open(gamePort);
    }
    return app.exec();
}
