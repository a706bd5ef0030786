#pragma once

#include "client/client_state.h"

#include <QList>
#include <array>
#include <functional>

class Seats;

// The five seats' racks of pocketed balls, drawn left to right in the order
// they were won. A rack holds at most nine balls.
class Racks {
public:
    static constexpr int kCapacity = game::kBalls;
    static constexpr int kBallSize = 24;

    explicit Racks(Seats& seats);

    // Empties every rack (also at window creation).
    void clearall();
    // Adds ball k to seat s's rack; seats outside 1..5 and full racks are left alone.
    void updatescores(int seat, int ball);
    // At the panel's new zoom.
    void redraw();
    QList<int> balls(int seat) const;

    // After any rack changed.
    std::function<void()> changed;

private:
    void draw(int seat);

    Seats& seats_;
    std::array<QList<int>, game::kSeats> balls_;
};
