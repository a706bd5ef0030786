#include "app/app_windows.h"
#include "app/find_tables.h"
#include "app/font_setup.h"
#include "app/headless_host.h"
#include "app/ludomyra_application.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"

#include <QScopeGuard>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--serve") == 0)
        return runHeadlessHost(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], kFindTablesOption) == 0)
        return runFindTables(argc, argv);

    FontSetUp fonts;
    LudomyraApplication app(argc, argv);
    fonts.applicationMade();
    const auto fontsDone = qScopeGuard([&fonts] { fonts.finish(); }); // before the application goes

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const PlayChoice choice = choosePlayMode(arguments);
    SingleInstance instance(SingleInstance::defaultRuntimeDir());
    if (!instance.claim(choice.mode == PlayMode::Link ? choice.hostaddress : QString()))
        return 0; // the running copy has been asked to come to the front (and given the link)

    AppWindows windows(arguments, [&fonts] { fonts.awaitConfiguration(); });
    windows.listenTo(instance);
    // Ended by the system (a logout, a kill): the window closes as the
    // player would close it, so settings and tally are kept.
    onTerminationSignals(&app, [&windows] {
        windows.chat.closeWithoutAsking();
        QCoreApplication::quit(); // whatever other window is open
    });
    windows.chat.show();
    return app.exec();
}
