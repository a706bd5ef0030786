#include "app/tspylist.h"

#include "client/core/access_keys.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

// The slot number before the entry's ":", if there is one.
std::optional<int> slotOf(const QString& entry) {
    const int colon = entry.indexOf(':');
    if (colon <= 0)
        return std::nullopt;
    bool ok = false;
    const int slot = entry.left(colon).toInt(&ok);
    return ok ? std::optional<int>(slot) : std::nullopt;
}

} // namespace

// Wide enough for the caption to show whole in a window manager's title bar
// beside its buttons (at 162 pixels it was cut to "Lu... pys").
Tspylist::Tspylist()
    : SmallWindow("spylist", "Ludomyra -Spys", QSize(244, 168),
                  Qt::Window | Qt::WindowStaysOnTopHint) {
    auto* heading = new QLabel("Spy List", this);
    heading->setGeometry(0, 4, width(), 18);
    heading->setAlignment(Qt::AlignCenter);

    listbox_spys = new QListWidget(this);
    listbox_spys->setObjectName("listbox_spys");
    listbox_spys->setAccessibleName("Spy List");
    listbox_spys->setGeometry(6, 24, width() - 12, 108);
    listbox_spys->setStyleSheet("background: rgb(223, 213, 196);");
    listbox_spys->setProperty("tag", 0);
    listbox_spys->viewport()->setMouseTracking(true);
    listbox_spys->installEventFilter(this);
    listbox_spys->viewport()->installEventFilter(this);

    popup_kickhim = new QMenu(this);
    popup_kickhim->setObjectName("popup_kickhim");
    removeFromGame = popup_kickhim->addAction("Remove From Game");
    removeFromGame->setObjectName("RemoveFromGame1");
    connect(removeFromGame, &QAction::triggered, this, &Tspylist::popup_kickhimClick);
    accesskeys::assign(popup_kickhim);

    addDoneButton(QRect((width() - 80) / 2, 138, 80, 24));
}

bool Tspylist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listbox_spys->viewport() && event->type() == QEvent::MouseMove)
        listbox_spysMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (event->type() != QEvent::ContextMenu)
        return SmallWindow::eventFilter(watched, event);

    auto* request = static_cast<QContextMenuEvent*>(event);
    if (request->reason() == QContextMenuEvent::Keyboard) {
        QListWidgetItem* current = listbox_spys->currentItem();
        const QRect place = current ? listbox_spys->visualItemRect(current) : QRect();
        const QPoint corner =
            current ? place.bottomLeft() : listbox_spys->viewport()->rect().center();
        openMenu(current, listbox_spys->viewport()->mapToGlobal(corner));
    } else if (watched == listbox_spys->viewport()) {
        openMenu(listbox_spys->itemAt(request->pos()), request->globalPos());
    } else {
        return false; // a pointer request reaches the viewport first and is handled there
    }
    return true;
}

void Tspylist::listbox_spysMouseMove(const QPoint& viewportPos) {
    const QListWidgetItem* entry = listbox_spys->itemAt(viewportPos);
    listbox_spys->setProperty("tag", entry ? listbox_spys->row(entry) : -1);
}

void Tspylist::openMenu(QListWidgetItem* entry, const QPoint& globalPos) {
    target.reset();
    if (entry) {
        if (const std::optional<int> slot = slotOf(entry->text()))
            target = Target{*slot, entry->text()};
    }
    removeFromGame->setEnabled(target && mayRemove && mayRemove());
    popup_kickhim->popup(globalPos);
}

void Tspylist::popup_kickhimClick() {
    // The list may have changed while the menu was open: a spy that left, or
    // another one now in its place, must not be removed in its stead.
    if (target && stillListed(*target) && mayRemove && mayRemove() && kicking)
        kicking(target->slot);
    target.reset();
}

bool Tspylist::stillListed(const Target& entry) const {
    return !listbox_spys->findItems(entry.text, Qt::MatchExactly).isEmpty();
}
