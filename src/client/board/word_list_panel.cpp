#include "client/board/word_list_panel.h"

#include "client/look/artwork.h"
#include "client/look/panel_zoom.h"
#include "client/look/widget_look.h"
#include "common/plain_widgets.h"

#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

namespace {

QLabel* plainLabel(QWidget* parent, const QString& name, QRect at, int pixelSize,
                   const QColor& colour) {
    QLabel* label = plainwidgets::label(parent);
    label->setObjectName(name);
    label->setGeometry(at);
    label->setAlignment(Qt::AlignCenter);
    look::setTextColour(label, colour);
    label->setFont(look::boldArial(pixelSize));
    label->setAttribute(Qt::WA_TransparentForMouseEvents); // drags go to the panel
    return label;
}

} // namespace

WordListPanel::WordListPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("panel_winnerwordlist");
    setFixedSize(kWidth, kHeight);
    setAccessibleName("Word list");
    auto* Image3 = new QLabel(this);
    Image3->setObjectName("Image3");
    Image3->setGeometry(0, 0, kWidth, kHeight);
    Image3->setPixmap(artwork::picture(ArtRole::WordListPanel, size()));
    Image3->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The title on the panel's dark head, the words in ink on its paper.
    label_name =
        plainLabel(this, "label_name", QRect(4, 4, kWidth - 24, 18), 12, look::kCaptionColour);
    for (int i = 0; i < game::kRows; ++i) {
        label_word[size_t(i)] =
            plainLabel(this, "label_word" + QString::number(i + 1),
                       QRect(4, 48 + 26 * i, kWidth - 8, 22), 16, QColor(58, 38, 22));
    }
    FlatSpeedButton1 = new QToolButton(this);
    FlatSpeedButton1->setObjectName("FlatSpeedButton1");
    FlatSpeedButton1->setText("X");
    FlatSpeedButton1->setAccessibleName("Close the word list");
    FlatSpeedButton1->setGeometry(kWidth - 20, 3, 17, 17);
    FlatSpeedButton1->setStyleSheet("QToolButton { color: rgb(224, 227, 157); font: bold 11px "
                                    "'Arial'; background: rgb(92, 58, 30); border: none; }"
                                    "QToolButton:focus { border: 2px solid rgb(255, 214, 92); }");
    connect(FlatSpeedButton1, &QToolButton::clicked, this, &QWidget::hide);
    setCursor(Qt::SizeAllCursor);
    hide();
}

// Escape closes the list from the keyboard, as its "X" does.
void WordListPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        QFrame::keyPressEvent(event);
}

void WordListPanel::loadwords(const QString& name, const QString& word, int index) {
    label_name->setText(name);
    if (index >= 1 && index <= game::kRows)
        label_word[size_t(index - 1)]->setText(word);
}

void WordListPanel::clearwords() {
    label_name->clear();
    for (QLabel* label : label_word)
        label->clear();
}

QString WordListPanel::title() const {
    return label_name->text();
}

QString WordListPanel::word(int index) const {
    return index >= 1 && index <= game::kRows ? label_word[size_t(index - 1)]->text() : QString();
}

void WordListPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QFrame::mousePressEvent(event);
    dragging = true;
    drag = event->position().toPoint();
    grabMouse();
}

void WordListPanel::mouseMoveEvent(QMouseEvent* event) {
    if (dragging)
        dragTo(event->position().toPoint());
}

void WordListPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging)
        return QFrame::mouseReleaseEvent(event);
    releaseMouse();
    dragging = false;
    dragTo(event->position().toPoint());
}

// Kept whole inside its parent, so it can always be reached again. The
// pointer moves over the panel as shown; it is placed in base coordinates.
void WordListPanel::dragTo(QPoint pointInPanel) {
    const QPoint wanted = pos() + pointInPanel - drag;
    const QRect room = parentWidget()->rect();
    const QPoint shown(std::clamp(wanted.x(), 0, room.width() - width()),
                       std::clamp(wanted.y(), 0, room.height() - height()));
    PanelZoom::place(this, PanelZoom::toBase(this, shown));
}
