#include "client/core/access_keys.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QShortcut>

namespace {

// Where the access key goes in this caption: the first initial not yet
// taken, else the first letter or digit not yet taken; -1 for none.
qsizetype keyPosition(const QString& caption, const QSet<QChar>& taken) {
    const auto freeAt = [&](qsizetype at) {
        return caption[at].isLetterOrNumber() && !taken.contains(caption[at].toLower());
    };
    for (qsizetype at = 0; at < caption.size(); ++at) {
        const bool initial = at == 0 || caption[at - 1].isSpace();
        if (initial && freeAt(at))
            return at;
    }
    for (qsizetype at = 0; at < caption.size(); ++at) {
        if (freeAt(at))
            return at;
    }
    return -1;
}

void assignAll(const QList<QAction*>& items) {
    QSet<QChar> taken;
    QList<QAction*> without;
    for (QAction* item : items) {
        if (item->isSeparator())
            continue;
        const QString caption = item->text();
        const qsizetype marked = caption.indexOf(u'&');
        if (marked >= 0 && marked + 1 < caption.size())
            taken.insert(caption[marked + 1].toLower());
        else
            without.append(item);
    }
    for (QAction* item : without) {
        QString caption = item->text();
        const qsizetype at = keyPosition(caption, taken);
        if (at < 0)
            continue;
        taken.insert(caption[at].toLower());
        item->setText(caption.insert(at, u'&'));
    }
    for (QAction* item : items) {
        if (item->menu())
            accesskeys::assign(item->menu());
    }
}

class ShiftF10 : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        QWidget* focus = QApplication::focusWidget();
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier ||
            watched != focus || focus->contextMenuPolicy() == Qt::NoContextMenu)
            return false;
        const QPoint middle = focus->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, middle, focus->mapToGlobal(middle));
        QApplication::sendEvent(focus, &request);
        return true;
    }
};

} // namespace

namespace accesskeys {

void assign(QMenuBar* bar) {
    assignAll(bar->actions());
}

void assign(QMenu* menu) {
    assignAll(menu->actions());
}

void openWithF10(QWidget* window, QMenuBar* bar) {
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        for (QAction* menu : bar->actions()) {
            if (menu->isVisible() && menu->isEnabled()) {
                bar->setActiveAction(menu);
                return;
            }
        }
    });
}

void contextMenuOnShiftF10(QObject* owner) {
    qApp->installEventFilter(new ShiftF10(owner));
}

} // namespace accesskeys
