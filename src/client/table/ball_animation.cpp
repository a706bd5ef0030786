#include "client/table/ball_animation.h"

#include <algorithm>
#include <cstdlib>

using namespace ballscripts;

namespace {
constexpr int kTicksPerStep = 7; // one step per seven ticks, about 110 ms
constexpr int kSetupPause = -20;
constexpr int kShotPause = -30;
} // namespace

BallAnimation::BallAnimation(View view) : view_(std::move(view)) {
    Track& cue = tracks_[0];
    cue.pos = startingPosition(0);
    cue.shown = true;
}

void BallAnimation::reset() {
    *this = BallAnimation(std::move(view_));
    for (int b = 0; b < kBalls; ++b) {
        view_.place(b, tracks_[size_t(b)].pos);
        view_.show(b, tracks_[size_t(b)].shown);
    }
}

void BallAnimation::setuptable(int pocketed) {
    script_ = script_ == 1 ? 2 : 1;
    catchupballs_ = 0;
    owedShots_ = 0;
    setUp_ = true;
    for (int b = 0; b < kBalls; ++b) {
        Track& t = tracks_[size_t(b)];
        t = Track{};
        t.pos = startingPosition(b);
        t.shown = true;
        place(b);
        show(b);
    }
    view_.stack();
    moveline_ = -1;
    moveticks_ = kSetupPause;
    loadballmovements();
    if (pocketed > 0)
        playAhead(std::min(pocketed, game::kBalls));
}

void BallAnimation::playAhead(int pocketed) {
    quiet_ = true;
    catchupballs_ = pocketed;
    // The first shot after the break; each sunk ball below `pocketed` chains the next.
    owedShots_ = 1;
    constexpr int kEnoughTicks = 100000;
    for (int tick = 0; tick < kEnoughTicks && !idle(); ++tick)
        moveballs();
    catchupballs_ = 0;
    quiet_ = false;
    for (int b = 0; b < kBalls; ++b) {
        place(b);
        show(b);
    }
    view_.stack();
}

void BallAnimation::place(int ball) {
    if (!quiet_)
        view_.place(ball, tracks_[size_t(ball)].pos);
}

void BallAnimation::show(int ball) {
    if (!quiet_)
        view_.show(ball, tracks_[size_t(ball)].shown);
}

void BallAnimation::ballhit() {
    if (!quiet_)
        view_.ballhit();
}

void BallAnimation::shoot() {
    if (!setUp_)
        return;
    ++owedShots_;
    startOwedShot();
}

void BallAnimation::startOwedShot() {
    if (owedShots_ == 0 || moveline_ < kBreakLines || !atRest())
        return;
    --owedShots_;
    moveticks_ = kShotPause;
    loadballmovements();
}

void BallAnimation::loadballmovements() {
    ++moveline_;
    if (moveline_ >= kLines)
        return; // the script is over: further shots move nothing
    const std::optional<ScriptLine> line = parseLine(lineText(script_, moveline_));
    if (!line)
        return;
    Track& t = tracks_[size_t(line->ball)];
    t.state = line->state;
    t.target = line->target;
    t.next = line->next;
    t.step = stepToward(t.pos, t.target);
    resting_ = false;
}

bool BallAnimation::moving(const Track& t) const {
    return t.step.x != 0 || (t.step.y != 0 && t.state != 'n');
}

bool BallAnimation::atRest() const {
    for (const Track& t : tracks_) {
        if (moving(t))
            return false;
    }
    return true;
}

void BallAnimation::moveballs() {
    if (resting_ && owedShots_ == 0)
        return;
    if (++moveticks_ < kTicksPerStep)
        return;
    moveticks_ = 0;
    for (int b = 0; b < kBalls; ++b)
        stepBall(b);
    resting_ = atRest();
    if (resting_)
        startOwedShot();
}

void BallAnimation::stepBall(int ball) {
    Track& t = tracks_[size_t(ball)];
    if (!moving(t))
        return;
    t.pos.x += t.step.x;
    t.pos.y += t.step.y;
    place(ball);
    // The ball stops within one step of its target, where it is.
    if (std::abs(t.target.y - t.pos.y) < std::abs(t.step.y))
        t.step.y = 0;
    if (std::abs(t.target.x - t.pos.x) < std::abs(t.step.x))
        t.step.x = 0;
    if (t.step.x == 0 && t.step.y == 0)
        arrive(ball);
}

void BallAnimation::arrive(int ball) {
    Track& t = tracks_[size_t(ball)];
    if (t.state == 'b') {
        if (ball == 0)
            loadballmovements(); // the pocket line of this shot
        turnToSecondLeg(t);
        ballhit();
    } else if (t.state == 'p' && ball != 0) {
        t.shown = false;
        show(ball);
        t.state = 'n';
        if (ball < catchupballs_)
            loadballmovements(); // a joiner's table catches up shot by shot
    } else if (t.state == 'm') {
        t.state = 'n';
    } else if (t.state == 's' && ball == 0) {
        for (int i = 0; i < kBreakLines; ++i) {
            loadballmovements();
            ballhit();
        }
        turnToSecondLeg(t);
    }
}

void BallAnimation::turnToSecondLeg(Track& t) {
    t.state = 'm';
    t.target = t.next;
    t.next = Point{};
    if (t.target.x == 0 || t.target.y == 0) {
        t.state = 'n';
        return;
    }
    t.step = stepToward(t.pos, t.target);
}
