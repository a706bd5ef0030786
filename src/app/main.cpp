#include "app/app_windows.h"
#include "app/headless_host.h"
#include "app/ludomyra_application.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"

#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--serve") == 0)
        return runHeadlessHost(argc, argv);

    LudomyraApplication app(argc, argv);

    SingleInstance instance(SingleInstance::defaultRuntimeDir());
    if (!instance.claim())
        return 0; // the running copy has been asked to come to the front

    AppWindows windows(QCoreApplication::arguments().mid(1));
    QObject::connect(&instance, &SingleInstance::activateRequested, &windows.chat,
                     [&windows] { windows.activate(); });
    // Ended by the system (a logout, a kill): the window closes as the
    // player would close it, so settings and tally are kept.
    onTerminationSignals(&app, [&windows] {
        windows.chat.closeWithoutAsking();
        QCoreApplication::quit(); // whatever other window is open
    });
    windows.chat.show();
    return app.exec();
}
