#pragma once

#include <QList>

class QLabel;

// A seat's rack of pocketed balls, drawn left to right in the order they
// were won, at the zoom of the panel the label stands on.
namespace rackpicture {

inline constexpr int kBallSize = 24;

void draw(QLabel* label, int seat, const QList<int>& balls);

} // namespace rackpicture
