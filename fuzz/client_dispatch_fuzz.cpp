// A broken or hostile host against a logged-in main window: the input is cut
// at the terminator into host messages, each handled as the window handles a
// queued message, with animation ticks between them. One window lives through
// input after input, as through a long evening with a hostile host: nothing
// may crash, and what the window keeps must stay bounded. A window that lives
// on keeps what it was sent, so leaks are not checked input by input here
// (fuzz/client_dispatch.options).

#include "client/message_box.h"
#include "client/tchat.h"
#include "net/commands.h"

#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

QApplication& application() {
    static int argc = 1;
    static char name[] = "fuzz_client_dispatch";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QTemporaryDir home;
        qputenv("LUDOMYRA_HOME", home.path().toUtf8());
        messagebox::setHandler([](QWidget*, const QString&) {});
        return new QApplication(argc, argv);
    }();
    return *app;
}

} // namespace

struct LoggedInWindow {
    LoggedInWindow() {
        chat.seats->attachSpyList(&spyList);
        chat.receivedlist << "CMD_sendlogininfo+1"
                          << "CMD_newplayerinfo+1+You+0";
    }
    Tchat chat;
    QListWidget spyList;
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QApplication& app = application();
    static auto window = std::make_unique<LoggedInWindow>();
    Tchat& chat = window->chat;
    QListWidget& spyList = window->spyList;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& message : input.split(kTerminator))
        chat.receivedlist << QString::fromUtf8(message);
    // One message a tick, as the window's timer does; a full host stops the dispatch.
    for (qsizetype tick = 0, queued = chat.receivedlist.size(); tick < queued; ++tick) {
        chat.processsocktimer();
        chat.table->moveballs();
    }
    require(spyList.count() <= game::kSlots - game::kSeats);
    require(chat.state.myseat >= 0 && chat.state.myseat <= game::kSlots);
    for (int seat = 1; seat <= game::kSeats; ++seat)
        require(chat.seats->nameLabel(seat)->text().size() <= Seats::kMaxNameLength);
    app.processEvents();
    if (!chat.receivedlist.isEmpty())
        window = std::make_unique<LoggedInWindow>(); // a full host ended that one
    return 0;
}
