#pragma once

// What a player's eye makes of pixels, for tests of how things look.

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>

namespace testsupport {

// The contrast ratio of two colours as readability guidelines define it:
// 1 for the same colour up to 21 for black on white.
inline double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The strongest contrast any pixel of `area` makes with `ground`.
inline double strongestContrast(const QImage& image, const QRect& area, const QColor& ground) {
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, contrast(image.pixelColor(x, y), ground));
    return best;
}

// The colour most pixels of `area` have: the ground text stands on.
inline QColor commonestColour(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb commonest = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            commonest = it.key();
        }
    }
    return QColor::fromRgba(commonest);
}

// A round picture drawn at `box` stands out on `ground` when, along every way
// out from its centre, one of its outermost pixels contrasts with the ground
// by at least `ratio`: its whole outline is seen, not only part of it.
inline bool outlineStandsOut(const QImage& image, const QRect& box, const QColor& ground,
                             double ratio) {
    const QPointF centre = QRectF(box).center();
    const double radius = box.width() / 2.0;
    for (int degrees = 0; degrees < 360; degrees += 15) {
        const double a = degrees * M_PI / 180;
        double best = 1;
        for (double d = radius - 3; d <= radius - 0.5; d += 0.5) {
            const QPointF point = centre + QPointF(std::cos(a), std::sin(a)) * d;
            const QPoint at(int(std::floor(point.x())), int(std::floor(point.y())));
            best = std::max(best, contrast(image.pixelColor(at), ground));
        }
        if (best < ratio)
            return false;
    }
    return true;
}

} // namespace testsupport
