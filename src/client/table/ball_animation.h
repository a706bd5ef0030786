#pragma once

#include "client/table/ball_scripts.h"

#include <array>
#include <functional>

// The table's balls acting out the game: a set-up and break, then one shot
// per found word, paced by counted timer ticks. It knows no widgets: it
// tells its view where each ball stands and when one is hidden or hit.
class BallAnimation {
public:
    using Point = ballscripts::Point;
    struct View {
        std::function<void(int ball, Point at)> place;
        std::function<void(int ball, bool shown)> show;
        std::function<void()> stack; // bring the pictures to the front, cue ball last
        std::function<void()> ballhit;
    };

    explicit BallAnimation(View view);

    // A new table with the other script, and its break. A late joiner's table
    // has `pocketed` balls (1 up to that number) sunk already: it shows at once
    // as the game stands, its break and shots played out of sight.
    void setuptable(int pocketed = 0);
    // A found word's shot. Owed until the break is over and every ball is at
    // rest, so a word found early still sinks the right ball; ignored before
    // the first set-up.
    void shoot();
    // Back to the state before the first set-up: the cue ball alone, at rest.
    void reset();
    // One Timer1 tick; nothing at all while the table is at rest.
    void moveballs();

    int script() const { return script_; }
    int moveline() const { return moveline_; }
    int owedShots() const { return owedShots_; }
    Point position(int ball) const { return tracks_[size_t(ball)].pos; }
    bool shown(int ball) const { return tracks_[size_t(ball)].shown; }
    bool atRest() const;
    // Nothing moves and no shot is owed: ticks have nothing to do.
    bool idle() const { return resting_ && owedShots_ == 0; }

private:
    struct Track {
        Point pos, target, next, step;
        char state = 'n';
        bool shown = false;
    };
    void loadballmovements();
    bool moving(const Track& t) const;
    void stepBall(int ball);
    void arrive(int ball);
    void turnToSecondLeg(Track& t);
    void startOwedShot();
    void playAhead(int pocketed);
    void place(int ball);
    void show(int ball);
    void ballhit();

    View view_;
    std::array<Track, ballscripts::kBalls> tracks_{};
    int script_ = 1; // the first set-up plays script 2
    int moveline_ = -1;
    int moveticks_ = 0;
    int catchupballs_ = 0; // while playing ahead: sinking a lower ball loads the next shot
    bool quiet_ = false;   // playing ahead: the view is told only the end
    int owedShots_ = 0;
    bool setUp_ = false;
    bool resting_ = true;
};
