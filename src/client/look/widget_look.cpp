#include "client/look/widget_look.h"

#include "client/look/panel_zoom.h"

#include <QPainter>
#include <QWidget>
#include <cmath>

namespace look {

QFont boldArial(int pixelSize) {
    QFont font("Arial");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void drawFocusFrame(QWidget* widget) {
    const int width = std::max(2, int(std::lround(2 * PanelZoom::scaleOf(widget))));
    const QRect all = widget->rect();
    QPainter painter(widget);
    for (const QRect& band : {QRect(all.left(), all.top(), all.width(), width),
                              QRect(all.left(), all.bottom() - width + 1, all.width(), width),
                              QRect(all.left(), all.top(), width, all.height()),
                              QRect(all.right() - width + 1, all.top(), width, all.height())})
        painter.fillRect(band, kFocusColour);
}

} // namespace look
