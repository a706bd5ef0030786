#include "client/tgamestart.h"

#include "client/look/artwork.h"
#include "client/look/clickable_label.h"

namespace {
constexpr const char* kRowCaptions[] = {
    "High Score Game",       "Most Balls Pocketed", "9 Ball",     "Race to 9",
    "Turn Klot the Bot Off", "Klot Plays Fair",     "Exact Marks"};
constexpr int kGameTypeBoxes = 4;
constexpr int kBotBox = 5;
constexpr int kFairBox = 6;
constexpr int kBoxes = 7;
} // namespace

GameType GameChoice::type() const {
    switch (gametype) {
    case 2:
        return GameType::Most;
    case 3:
        return GameType::Nine;
    case 4:
        return GameType::Race;
    default:
        return GameType::High;
    }
}

Tgamestart::Tgamestart(GameChoice& choice, std::function<void()> onStart)
    : SmallWindow("gamestart", "Ludomyra - Game Start", QSize(260, 310), Qt::Tool), choice_(choice),
      onStart_(std::move(onStart)) {
    auto* heading = new QLabel("GAME OPTIONS", this);
    heading->setObjectName("label_heading");
    heading->setGeometry(0, 10, width(), 24);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet("font: bold 16px 'Arial';");
    // The table's settings stand apart from the game types, below them.
    for (int n = 1; n <= kBoxes; ++n) {
        const int top = 44 + (n - 1) * 30 + (n >= kBotBox ? 8 : 0);
        auto* box = new TickBox(this);
        box->setObjectName("image_" + QString::number(n));
        box->setGeometry(24, top, 28, 22);
        connect(box, &ClickableLabel::clicked, this, [this, n] {
            if (n <= kGameTypeBoxes)
                image_1Click(n);
            else if (n == kBotBox)
                image_5Click();
            else if (n == kFairBox)
                image_6Click();
            else
                image_7Click();
        });
        auto* caption = new QLabel(kRowCaptions[n - 1], this);
        caption->setGeometry(62, top, 180, 22);
        caption->setStyleSheet("font: bold 13px 'Arial';");
        box->setAccessibleName(kRowCaptions[n - 1]);
    }
    auto* start = new ClickableLabel(this);
    button_start = start;
    button_start->setObjectName("button_start");
    button_start->setGeometry(55, 262, 150, 35);
    button_start->setPixmap(artwork::picture(ArtRole::StartPicture));
    button_start->setAccessibleName("Start");
    connect(start, &ClickableLabel::clicked, this, [this] { button_startClick(); });
    setEnterAction([this] { button_startClick(); });
    showChoice();
}

void Tgamestart::changebox(const QString& boxName, bool ticked) {
    if (auto* box = findChild<TickBox*>(boxName))
        box->setTicked(ticked);
}

void Tgamestart::image_1Click(int gametype) {
    choice_.gametype = gametype;
    showChoice();
}

void Tgamestart::image_5Click() {
    toggle(choice_.botoff);
}

void Tgamestart::image_6Click() {
    toggle(choice_.botfair);
}

void Tgamestart::image_7Click() {
    toggle(choice_.exactmarks);
}

void Tgamestart::toggle(int& flag) {
    flag = 1 - flag;
    showChoice();
}

void Tgamestart::button_startClick() {
    if (onStart_)
        onStart_();
    hide();
}

void Tgamestart::showChoice() {
    for (int n = 1; n <= kGameTypeBoxes; ++n)
        changebox("image_" + QString::number(n), choice_.gametype == n);
    changebox("image_5", choice_.botoff == 1);
    changebox("image_6", choice_.botfair == 1);
    changebox("image_7", choice_.exactmarks == 1);
}

void Tgamestart::showEvent(QShowEvent* event) {
    showChoice(); // the settings may have changed the choice since the last showing
    SmallWindow::showEvent(event);
}
