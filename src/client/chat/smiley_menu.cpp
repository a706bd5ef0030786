#include "client/chat/smiley_menu.h"

#include "client/look/artwork.h"
#include "common/dialog_keys.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QToolButton>

namespace {

constexpr int kCellSize = 26;

} // namespace

SmileyGrid::SmileyGrid(QWidget* parent) : QFrame(parent, Qt::Popup) {
    setObjectName("popup_smilies");
    setAccessibleName("Smileys");
    setAttribute(Qt::WA_ShowWithoutActivating); // the keys come by the popup's grab
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(
        "SmileyGrid { background: rgb(250, 246, 232); border: 1px solid rgb(92, 58, 30); }"
        "QToolButton { border: 1px solid transparent; border-radius: 3px; }"
        "QToolButton:hover { background: rgb(236, 222, 180); }"
        "QToolButton:focus { border: 2px solid rgb(200, 40, 0); }");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(2);
}

QAction* SmileyGrid::addSmiley(const QString& code, const QString& title) {
    auto* item = new QAction(code, this);
    item->setToolTip(code);
    addAction(item);
    auto* cell = new QToolButton(this);
    cell->setDefaultAction(item);
    cell->setFixedSize(kCellSize, kCellSize);
    cell->setIconSize(QSize(17, 17));
    cell->setFocusPolicy(Qt::StrongFocus);
    cell->setAccessibleName(title + " smiley, " + code);
    cell->installEventFilter(this);
    connect(item, &QAction::triggered, this, &QWidget::hide);
    const auto index = int(cells_.size());
    static_cast<QGridLayout*>(layout())->addWidget(cell, index / kColumns, index % kColumns);
    cells_.append(cell);
    return item;
}

void SmileyGrid::setPictures(const QList<QPixmap>& pictures) {
    const QList<QAction*> items = actions();
    for (qsizetype index = 0; index < items.size(); ++index)
        items[index]->setIcon(QIcon(pictures.value(index)));
}

void SmileyGrid::popupAt(const QPoint& corner) {
    adjustSize();
    // Under the button, inside the screen: above it when there is no room below.
    QRect place(corner - QPoint(width(), 0), size());
    if (const QScreen* screen = QGuiApplication::screenAt(corner)) {
        const QRect area = screen->availableGeometry();
        if (place.bottom() > area.bottom())
            place.moveBottom(corner.y() - parentWidget()->height());
        place.moveLeft(qMax(place.left(), area.left()));
    }
    move(place.topLeft());
    focusBefore_ = QApplication::focusWidget();
    show();
    if (!cells_.isEmpty())
        cells_.first()->setFocus(Qt::PopupFocusReason);
}

void SmileyGrid::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (focusBefore_)
        focusBefore_->setFocus(Qt::PopupFocusReason);
}

bool SmileyGrid::eventFilter(QObject* watched, QEvent* event) {
    const auto at = int(cells_.indexOf(qobject_cast<QToolButton*>(watched)));
    if (at < 0 || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    int next = at;
    switch (key->key()) {
    case Qt::Key_Left:
        next = at - 1;
        break;
    case Qt::Key_Right:
        next = at + 1;
        break;
    case Qt::Key_Up:
        next = at - kColumns;
        break;
    case Qt::Key_Down:
        next = at + kColumns;
        break;
    default:
        if (!dialogkeys::isEnter(key->key(), key->modifiers()))
            return false; // Escape reaches the popup, which closes
        cells_[at]->click();
        return true;
    }
    if (next >= 0 && next < cells_.size())
        cells_[next]->setFocus(Qt::TabFocusReason);
    return true;
}

SmileyButton::SmileyButton(QWidget* panel) : QPushButton(panel) {
    setObjectName("button_smilies");
    setGeometry(703, 488, 25, 19);
    setFocusPolicy(Qt::TabFocus); // a click leaves the focus in the chat box
    setAccessibleName("Smileys");
    setToolTip("Smileys");
    connect(this, &QPushButton::clicked, this, [this] { button_smiliesClick(); });
}

SmileyGrid* SmileyButton::popup_smilies() {
    if (grid_)
        return grid_;
    grid_ = new SmileyGrid(this);
    for (int index = 0; index < kCount; ++index) {
        const QString code = QString(":)#%1").arg(kFirstCode + index);
        QAction* item = grid_->addSmiley(code, artwork::smileyTitle(index));
        item->setObjectName(QString("smiley%1").arg(kFirstCode + index));
        connect(item, &QAction::triggered, this, [this, code] { emit smileyChosen(code); });
    }
    grid_->setPictures(pictures_);
    return grid_;
}

void SmileyButton::setSmileys(const QList<QPixmap>& pictures) {
    pictures_ = pictures;
    if (grid_)
        grid_->setPictures(pictures);
    setIcon(QIcon(pictures.value(0)));
}

void SmileyButton::button_smiliesClick() {
    popup_smilies()->popupAt(mapToGlobal(rect().bottomRight()));
}
