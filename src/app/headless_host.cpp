#include "app/headless_host.h"

#include "app/termination_signals.h"
#include "common/environment.h"
#include "host/ini_host_options.h"
#include "host/tserver.h"
#include "net/tsock.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// A real client answers CMD_sendlogininfo at once; a public host gives
// silent connections this long (times the clock scale) before it drops them.
constexpr int kLoginDeadlineMs = 30000;

} // namespace

int runHeadlessHost(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Ludomyra");
    if (!onTerminationSignals(&app, [&app] { app.quit(); })) {
        std::fprintf(stderr, "ludomyra: cannot watch for termination signals\n");
        return 1;
    }
    IniHostOptions options(environment::settingsFile());
    TServer server(options);
    server.setLoginDeadline(environment::scaledInterval(kLoginDeadlineMs));
    try {
        server.Sock1().setListen(true);
    } catch (const ESockException& error) {
        std::fprintf(stderr, "ludomyra: %s\n", error.what());
        return 1;
    }
    std::printf("Ludomyra host listening on port %u\n", server.Sock1().localPort());
    std::fflush(stdout);
    return app.exec();
}
