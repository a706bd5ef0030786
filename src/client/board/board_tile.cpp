#include "client/board/board_tile.h"

#include <QPainter>

namespace {

constexpr QColor kRightPlace(86, 170, 232);
constexpr QColor kElsewhere(238, 160, 48);
constexpr QColor kAbsent(164, 164, 160);
constexpr QColor kSquareEdge(92, 58, 30); // the board picture's own edge
constexpr qreal kCornerRadius = 4;

} // namespace

BoardTile::BoardTile(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void BoardTile::setTint(const QColor& tint) {
    if (tint == tint_)
        return;
    tint_ = tint;
    update();
}

QColor BoardTile::tintOf(char mark) {
    switch (mark) {
    case 's':
        return kRightPlace;
    case 'c':
        return kElsewhere;
    default:
        return kAbsent;
    }
}

void BoardTile::paintEvent(QPaintEvent* event) {
    if (tint_.isValid()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(kSquareEdge);
        painter.setBrush(tint_);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius,
                                kCornerRadius);
    }
    QLabel::paintEvent(event);
}
