#include "client/table/pool_table.h"

#include "client/core/table_model.h"
#include "client/table/table_summary.h"

#include "client/look/artwork.h"
#include "client/look/panel_zoom.h"
#include "client/look/widget_look.h"
#include "common/plain_widgets.h"
#include "net/word_record.h"

#include <QFrame>
#include <QLabel>

namespace {

constexpr QRect kTablePanel(256, 3, 473, 257);
constexpr QRect kCaption(256, 262, 473, 22); // under the table, centred
constexpr QRect kBanner(28, 24, 416, 41);    // over the table's upper part

struct TypeLook {
    const char* startCaption;
    const char* joinCaption;
    bool startsAtZero; // scores show 0 at the start, else nothing
};
// In the order of GameType.
constexpr TypeLook kTypeLooks[] = {
    {"HIGH SCORE GAME", "HIGH SCORE GAME", true},
    {"MOST BALLS POCKETED", "MOST BALLS POCKETED", false},
    {"NINE BALL", "NINE BALL", false},
    {"RACE TO 9", "RACE TO NINE", false},
};

} // namespace

PoolTable::PoolTable(QWidget* panel, const ClientState& state, TableModel& model, Hooks hooks)
    : QObject(panel), state_(state), model_(model), hooks_(std::move(hooks)),
      animation_({
          .place =
              [this](int b, BallAnimation::Point at) {
                  PanelZoom::place(balls_[size_t(b)], QPoint(at.x, at.y));
              },
          .show =
              [this](int b, bool shown) {
                  balls_[size_t(b)]->setVisible(shown);
                  describeTable();
              },
          .stack =
              [this] {
                  for (int b : ballscripts::kStackOrder)
                      balls_[size_t(b)]->raise();
                  panel_winner->raise();
              },
          .ballhit = [this] { hooks_.playsound("ballhit"); },
      }) {
    buildTable(panel);
    connect(&model_, &TableModel::rackChanged, this, [this] { describeTable(); });
    describeTable();
}

void PoolTable::describeTable() {
    if (!panel_table)
        return; // balls are placed while the table is built
    QList<int> onTable;
    for (int b = 0; b < ballscripts::kBalls; ++b) {
        if (animation_.shown(b))
            onTable << b;
    }
    panel_table->setAccessibleDescription(tablesummary::describe(onTable, model_));
}

void PoolTable::buildTable(QWidget* panel) {
    panel_table = new QFrame(panel);
    panel_table->setObjectName("panel_table");
    panel_table->setGeometry(kTablePanel);
    panel_table->setAccessibleName("Pool table");
    auto* image_table = new QLabel(panel_table);
    image_table->setObjectName("image_table");
    image_table->setGeometry(1, 1, 470, 255);
    image_table->setPixmap(artwork::picture(ArtRole::Table, image_table->size()));
    for (int b = 0; b < ballscripts::kBalls; ++b) {
        auto* ball = new QLabel(panel_table);
        ball->setObjectName("ball_" + QString::number(b));
        ball->setScaledContents(true);
        ball->setAttribute(Qt::WA_TranslucentBackground);
        ball->setPixmap(artwork::ball(b));
        const BallAnimation::Point at = animation_.position(b);
        ball->setGeometry(at.x, at.y, 24, 24);
        ball->setVisible(animation_.shown(b)); // only the cue ball before a game
        balls_[size_t(b)] = ball;
    }
    label_gametype = new QLabel(panel);
    label_gametype->setObjectName("label_gametype");
    label_gametype->setGeometry(kCaption);
    label_gametype->setAlignment(Qt::AlignCenter);
    look::setTextColour(label_gametype, look::kCaptionColour);
    label_gametype->setFont(look::boldArial(15));

    panel_winner = new QFrame(panel_table);
    panel_winner->setObjectName("panel_winner");
    panel_winner->setGeometry(kBanner);
    panel_winner->setStyleSheet("QFrame#panel_winner { background: rgba(20, 40, 24, 200); "
                                "border-radius: 6px; }");
    label_winner1 = plainwidgets::label(panel_winner); // the winner's name
    label_winner2 = plainwidgets::label(panel_winner);
    label_winner1->setObjectName("label_winner1");
    label_winner2->setObjectName("label_winner2");
    label_winner1->setGeometry(0, 4, kBanner.width(), 32);
    label_winner2->setGeometry(2, 5, kBanner.width(), 32); // a shadowed caption
    label_winner1->setStyleSheet("color: black; font: bold 22px 'Arial'; background: transparent;");
    label_winner2->setStyleSheet("color: rgb(224, 227, 157); font: bold 22px 'Arial'; "
                                 "background: transparent;");
    for (QLabel* label : {label_winner1, label_winner2})
        label->setAlignment(Qt::AlignCenter);
    panel_winner->hide();
}

QString PoolTable::bannerText() const {
    return panel_winner->isVisibleTo(panel_table) ? label_winner2->text() : QString();
}

// An unknown type leaves the caption and score labels empty.
void PoolTable::setType(std::optional<GameType> type, bool joining) {
    model_.setGameType(type);
    const TypeLook* known = type ? &kTypeLooks[static_cast<int>(*type)] : nullptr;
    label_gametype->setText(known ? (joining ? known->joinCaption : known->startCaption) : "");
    for (int s = 1; s <= game::kSeats; ++s)
        model_.setScore(s, known && known->startsAtZero ? std::optional<int>(0) : std::nullopt);
}

void PoolTable::startthegame(const gamemsg::StartGame& start) {
    panel_winner->hide();
    if (hooks_.gameStarting)
        hooks_.gameStarting();
    setType(start.type, false);
    const bool mine = state_.seated() && start.starter == model_.displayName(state_.myseat);
    hooks_.say(mine ? QString("0+You have started a game.")
                    : "0+" + start.starter + " has started a game.");
    model_.startGame(
        start.botPlays); // racks emptied, eyes hidden; a free seat 2 shows Klot or waits
    resultPending_ = true;
    if (hooks_.gameUnderway)
        hooks_.gameUnderway();
    startTable(0);
}

void PoolTable::gamestats(const gamemsg::GameStats& stats) {
    setType(stats.type, true);
    resultPending_ = true;
    if (hooks_.gameUnderway)
        hooks_.gameUnderway();
}

void PoolTable::playerscores(const gamemsg::PlayerScores& scores) {
    for (const gamemsg::SeatValue& score : scores.scores) {
        model_.setScore(score.seat, score.value == gamemsg::kNoScore
                                        ? std::nullopt
                                        : std::optional<int>(score.value));
    }
}

// Racks show what seats own; the table leaves out every pocketed ball, spies' too.
void PoolTable::ballowners(const gamemsg::BallOwners& owners) {
    int pocketed = 0;
    for (const gamemsg::BallOwner& owned : owners.owners) {
        model_.addToRack(owned.owner, owned.ball);
        if (owned.owner != 0)
            pocketed = owned.ball;
    }
    startTable(pocketed);
}

void PoolTable::theyown(const gamemsg::TheyOwn& owned) {
    for (const gamemsg::SeatValue& own : owned.ballCounts) {
        for (int ball = 1; ball <= own.value; ++ball)
            model_.addToRack(own.seat, ball);
        if (own.seat == state_.myseat)
            startTable(own.value);
    }
    if (!ClientState::isSeat(state_.myseat))
        startTable(0); // a spy's table plays from the start
}

void PoolTable::heguessed(const gamemsg::HeGuessed& found) {
    if (found.score != gamemsg::kNoScore && ClientState::isSeat(found.slot))
        model_.setScore(found.slot, found.score);
    // In a race every seat sinks its own balls: only the finder's table plays.
    if (model_.gameType() != GameType::Race || found.slot == state_.myseat)
        animation_.shoot();
    // The ball reaches the rack once the shot has taken it off the table.
    whenTableRests([this, found] { model_.addToRack(found.slot, found.ball); });
}

void PoolTable::whenTableRests(std::function<void()> then) {
    if (animation_.idle())
        then();
    else
        afterShot_.push_back(std::move(then));
}

// What waited for a shot belongs to the game that made it.
void PoolTable::startTable(int pocketed) {
    afterShot_.clear();
    animation_.setuptable(pocketed);
}

// Counted by seat, never by name: two players may share a name.
void PoolTable::winner(const gamemsg::Winner& won) {
    const int slot = won.slot;
    const QString name = model_.displayName(slot);
    if (resultPending_ && state_.seated() && hooks_.addgame)
        hooks_.addgame(slot == state_.myseat ? QString("addtomine") : name);
    resultPending_ = false;
    const QString result = wordrecord::won(name);
    hooks_.say("0+" + result);
    announce(result);
}

void PoolTable::tiegame(const gamemsg::TieGame& tie) {
    const QString& names = tie.names;
    resultPending_ = false; // a tie counts nothing
    const QString result = wordrecord::tied(names);
    hooks_.say("0+" + result);
    announce(result);
}

void PoolTable::announce(const QString& result) {
    if (hooks_.gameEnded)
        hooks_.gameEnded();
    label_winner1->setText(result);
    label_winner2->setText(result);
    panel_winner->setAccessibleName(result);
    if (hooks_.news)
        hooks_.news(result);
    panel_winner->show();
    panel_winner->raise();
    hooks_.playsound("gameover");
}

void PoolTable::impossible() {
    hooks_.say("0+It is impossible for anyone else to win!");
}

void PoolTable::clear() {
    panel_winner->hide();
    label_gametype->clear();
    resultPending_ = false; // an abandoned game counts nothing
    animation_.reset();
}

void PoolTable::moveballs() {
    animation_.moveballs();
    if (afterShot_.empty() || !animation_.idle())
        return;
    std::vector<std::function<void()>> due;
    due.swap(afterShot_);
    for (const auto& then : due)
        then();
}
