// A broken or hostile host against a logged-in main window: the input is cut
// at the terminator into host messages, each handled as the window handles a
// queued message, with animation ticks between them. One window lives through
// input after input, as through a long evening with a hostile host: nothing
// may crash, and what the window keeps must stay bounded. A window that lives
// on keeps what it was sent, so leaks are not checked input by input here
// (fuzz/client_dispatch.options). The tally window follows everyone at the
// table, so that names reach every window that shows them; wherever a name
// that looks like markup shows in a label, the label must take it as plain text.

#include "client/look/message_box.h"
#include "client/seats/seats.h"
#include "client/tchat.h"
#include "net/commands.h"
#include "net/player_text.h"
#include "tally/ttallylist.h"
#include "tchat_probe.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

QTemporaryDir& home() {
    static QTemporaryDir dir;
    return dir;
}

QApplication& application() {
    static int argc = 1;
    static char name[] = "fuzz_client_dispatch";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("LUDOMYRA_HOME", home().path().toUtf8());
        messagebox::setHandler([](QWidget*, const QString&) {});
        return new QApplication(argc, argv);
    }();
    return *app;
}

class AnswerYes : public TallyPrompts {
    bool confirm(QWidget*, const QString&) override { return true; }
    void inform(QWidget*, const QString&) override {}
};

class TableSeats : public TallySeats {
public:
    explicit TableSeats(const Tchat& chat) : chat_(chat) {}
    QStringList otherSeatedNames() const override { return chat_.loadchecklist(); }

private:
    const Tchat& chat_;
};

constexpr int kMostFollowed = 12; // then the tally starts afresh: it is saved at every change

} // namespace

struct LoggedInWindow {
    LoggedInWindow() : tally(home().filePath("Ludomyratally.tld"), prompts) {
        probe.seats().attachSpyList(&spyList);
        tally.setSeats(&tableSeats);
        probe.queue() << "CMD_sendlogininfo+1"
                      << "CMD_newplayerinfo+1+You+0";
    }

    // Follows everyone at the table and shows the newest of them.
    void followEveryone() {
        auto* followed = tally.findChild<QListWidget*>("listbox_tally");
        if (followed->count() > kMostFollowed)
            tally.findChild<QPushButton*>("button_reset")->click();
        tally.loadchecklist();
        auto* atTable = tally.findChild<QListWidget*>("checklist");
        for (int row = 0; row < atTable->count(); ++row)
            atTable->item(row)->setCheckState(Qt::Checked);
        followed->setCurrentRow(followed->count() - 1);
    }

    // The tally is made after the window, so the window's hook reaches it
    // through this object.
    Tchat chat{{.addgame = [this](const QString& winner) {
        tally.addgame(winner);
    }}};
    TchatProbe probe{chat};
    QListWidget spyList;
    AnswerYes prompts;
    TableSeats tableSeats{chat};
    Ttallylist tally;
};

namespace {

// Seat labels show a clean name, or the window's own "<Waiting>" or "Klot".
void checkSeatLabels(const TchatProbe& probe) {
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        const QString shown = probe.seats().nameLabel(seat)->text();
        require(!shown.isEmpty() && playertext::cleanName(shown) == shown);
    }
}

// Every label in every window that holds a name which looks like markup
// must show it as plain text.
void checkLabelsHoldingNames(const TchatProbe& probe) {
    QStringList markup;
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        const QString name = probe.model().displayName(slot);
        if (Qt::mightBeRichText(name))
            markup << name;
    }
    if (markup.isEmpty())
        return;
    for (const QWidget* widget : QApplication::allWidgets()) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (!label || label->textFormat() == Qt::PlainText)
            continue;
        for (const QString& name : markup)
            require(!label->text().contains(name));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QApplication& app = application();
    static auto window = std::make_unique<LoggedInWindow>();
    const TchatProbe& probe = window->probe;
    QListWidget& spyList = window->spyList;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& message : input.split(kTerminator))
        probe.queue() << QString::fromUtf8(message);
    // One message a tick, as the window's timer does; a full host stops the dispatch.
    for (qsizetype tick = 0, queued = probe.queue().size(); tick < queued; ++tick) {
        probe.handleNext();
        probe.table().moveballs();
    }
    require(spyList.count() <= game::kSlots - game::kSeats);
    require(probe.state().myseat >= 0 && probe.state().myseat <= game::kSlots);
    checkSeatLabels(probe);
    window->followEveryone();
    checkLabelsHoldingNames(probe);
    app.processEvents();
    if (!probe.queue().isEmpty())
        window = std::make_unique<LoggedInWindow>(); // a full host ended that one
    return 0;
}
