#include "client/seats/rack_picture.h"

#include "client/look/artwork.h"
#include "client/look/panel_zoom.h"

#include <QLabel>
#include <QPainter>

namespace rackpicture {

// Composed in base coordinates at the panel's zoom, so that it stays sharp.
void draw(QLabel* label, int seat, const QList<int>& balls) {
    const qreal zoom = PanelZoom::scaleOf(label);
    const QSize size = PanelZoom::baseGeometry(label).size();
    QPixmap picture = artwork::picture(ArtRole::RackBackground, size, zoom);
    QPainter painter(&picture);
    const int top = (size.height() - kBallSize) / 2;
    QStringList numbers;
    for (qsizetype i = 0; i < balls.size(); ++i) {
        painter.drawPixmap(4 + kBallSize * int(i), top, artwork::ball(balls[i], zoom));
        numbers << QString::number(balls[i]);
    }
    painter.end();
    label->setPixmap(picture);
    label->setAccessibleName(
        balls.isEmpty() ? QString("Seat %1 rack: no balls").arg(seat)
                        : QString("Seat %1 rack: balls %2").arg(seat).arg(numbers.join(", ")));
}

} // namespace rackpicture
