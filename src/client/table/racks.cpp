#include "client/table/racks.h"

#include "client/look/artwork.h"
#include "client/look/panel_zoom.h"
#include "client/seats/seats.h"

#include <QPainter>

Racks::Racks(Seats& seats) : seats_(seats) {
    clearall();
}

void Racks::clearall() {
    for (int s = 1; s <= game::kSeats; ++s) {
        balls_[size_t(s - 1)].clear();
        draw(s);
    }
}

void Racks::updatescores(int seat, int ball) {
    if (!ClientState::isSeat(seat))
        return;
    QList<int>& rack = balls_[size_t(seat - 1)];
    if (rack.size() >= kCapacity)
        return;
    rack.append(ball);
    draw(seat);
}

QList<int> Racks::balls(int seat) const {
    return ClientState::isSeat(seat) ? balls_[size_t(seat - 1)] : QList<int>{};
}

void Racks::redraw() {
    for (int s = 1; s <= game::kSeats; ++s)
        draw(s);
}

// Composed in base coordinates at the panel's zoom, so that it stays sharp.
void Racks::draw(int seat) {
    QLabel* label = seats_.rack(seat);
    const qreal zoom = PanelZoom::scaleOf(label);
    const QSize size = PanelZoom::baseGeometry(label).size();
    QPixmap picture = artwork::picture(ArtRole::RackBackground, size, zoom);
    QPainter painter(&picture);
    const QList<int>& rack = balls_[size_t(seat - 1)];
    const int top = (size.height() - kBallSize) / 2;
    QStringList numbers;
    for (qsizetype i = 0; i < rack.size(); ++i) {
        painter.drawPixmap(4 + kBallSize * int(i), top, artwork::ball(rack[i], zoom));
        numbers << QString::number(rack[i]);
    }
    painter.end();
    label->setPixmap(picture);
    label->setAccessibleName(
        rack.isEmpty() ? QString("Seat %1 rack: no balls").arg(seat)
                       : QString("Seat %1 rack: balls %2").arg(seat).arg(numbers.join(", ")));
    if (changed)
        changed();
}
