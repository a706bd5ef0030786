#include "app/headless_host.h"

#include "common/environment.h"
#include "host/ini_host_options.h"
#include "host/table_responder.h"
#include "host/tserver.h"
#include "net/tsock.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A real client answers CMD_sendlogininfo at once; a public host gives
// silent connections this long (times the clock scale) before it drops them.
constexpr int kLoginDeadlineMs = 30000;

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// Signals arrive at any moment; a byte through a socket pair turns them into
// an ordinary event of the loop, where quitting is safe.
bool quitOnTerminationSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return false;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        app.quit();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &action, nullptr) == 0 &&
           ::sigaction(SIGTERM, &action, nullptr) == 0;
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
    if (!quitOnTerminationSignals(app)) {
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
    return app.exec();
}
