#include "app/app_windows.h"
#include "app/find_tables.h"
#include "app/headless_host.h"
#include "app/ludomyra_application.h"
#include "app/single_instance.h"

#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--serve") == 0)
        return runHeadlessHost(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], kFindTablesOption) == 0)
        return runFindTables(argc, argv);

    LudomyraApplication app(argc, argv);

    SingleInstance instance(SingleInstance::defaultRuntimeDir());
    if (!instance.claim())
        return 0; // the running copy has been asked to come to the front

    AppWindows windows(QCoreApplication::arguments().mid(1));
    QObject::connect(&instance, &SingleInstance::activateRequested, &windows.chat,
                     [&windows] { windows.activate(); });
    windows.chat.show();
    return app.exec();
}
