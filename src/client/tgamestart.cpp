#include "client/tgamestart.h"

#include "client/look/artwork.h"
#include "client/look/clickable_label.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QRadioButton>

namespace {
constexpr int kWidth = 340;
constexpr int kLeft = 24;
constexpr int kChoiceHeight = 22;
constexpr int kExampleHeight = 18;

// The ids of the Klot group; the settings keep them as two flags.
enum KlotChoice { KlotOff, KlotFair, KlotHints };

// Each choice is a round button with a frame that shows the focus, so the
// keys find their way as they do in any dialog.
constexpr char kChoiceLook[] =
    "QRadioButton { color: rgb(224, 227, 157); font: bold 13px 'Arial'; padding: 1px 4px;"
    " border: 1px solid transparent; border-radius: 3px; }"
    "QRadioButton:focus { border: 2px solid rgb(255, 214, 92); }"
    "QRadioButton::indicator { width: 10px; height: 10px; border-radius: 7px;"
    " border: 2px solid rgb(224, 227, 157); background: rgb(60, 38, 20); }"
    "QRadioButton::indicator:checked { background: rgb(255, 214, 92);"
    " border-color: rgb(255, 214, 92); }";
} // namespace

Tgamestart::Tgamestart(GameChoice& choice, std::function<void()> onStart)
    : SmallWindow("gamestart", "Ludomyra - Game Start", QSize(kWidth, 480), Qt::Tool),
      choice_(choice), onStart_(std::move(onStart)) {
    auto* heading = new QLabel("GAME OPTIONS", this);
    heading->setObjectName("label_heading");
    heading->setGeometry(0, 10, width(), 24);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet("font: bold 16px 'Arial';");

    types_ = new QButtonGroup(this);
    marks_ = new QButtonGroup(this);
    klot_ = new QButtonGroup(this);
    int top = addChoices(
        types_, "Game", 42,
        {{"High Score Game", {}}, {"Most Balls Pocketed", {}}, {"9 Ball", {}}, {"Race to 9", {}}});
    // The guess LEAPT for the word LLAMA: classic marks let the other L and A
    // of LLAMA take the marks of the L and A in their right places.
    top = addChoices(marks_, "Marks", top + 10,
                     {{"Classic", "LEAPT for LLAMA: L and A marked as elsewhere"},
                      {"Exact", "LEAPT for LLAMA: L and A marked right"}});
    top = addChoices(klot_, "Klot the Bot", top + 10,
                     {{"Off", {}},
                      {"Plays fair", "sees only its own marks, as you do"},
                      {"Gets hints", "is helped toward the word"}});
    for (int type = 1; type <= 4; ++type)
        types_->button(type - 1)->setObjectName("image_" + QString::number(type));
    marks_->button(0)->setObjectName("marks_classic");
    marks_->button(1)->setObjectName("marks_exact");
    klot_->button(KlotOff)->setObjectName("klot_off");
    klot_->button(KlotFair)->setObjectName("klot_fair");
    klot_->button(KlotHints)->setObjectName("klot_hints");
    connect(types_, &QButtonGroup::idClicked, this, [this](int id) { image_1Click(id + 1); });
    connect(marks_, &QButtonGroup::idClicked, this, [this](int id) { choice_.exactmarks = id; });
    connect(klot_, &QButtonGroup::idClicked, this, &Tgamestart::chooseKlot);

    auto* start = new ClickableLabel(this);
    button_start = start;
    button_start->setObjectName("button_start");
    button_start->setGeometry((kWidth - 150) / 2, top + 12, 150, 35);
    setFixedSize(kWidth, button_start->geometry().bottom() + 14);
    button_start->setPixmap(artwork::picture(ArtRole::StartPicture));
    button_start->setAccessibleName("Start");
    connect(start, &ClickableLabel::clicked, this, [this] { button_startClick(); });
    setEnterAction([this] { button_startClick(); });
    showChoice();
}

int Tgamestart::addChoices(QButtonGroup* group, const QString& heading, int top,
                           const QList<std::pair<QString, QString>>& choices) {
    auto* caption = new QLabel(heading, this);
    caption->setGeometry(kLeft - 8, top, kWidth - kLeft, kChoiceHeight);
    caption->setStyleSheet("font: bold 14px 'Arial'; color: rgb(255, 214, 92);");
    top += kChoiceHeight;
    for (const auto& [text, example] : choices) {
        auto* choice = new QRadioButton(text, this);
        choice->setStyleSheet(kChoiceLook);
        choice->installEventFilter(this);
        choice->setGeometry(kLeft, top, kWidth - 2 * kLeft, kChoiceHeight + 2);
        group->addButton(choice, static_cast<int>(group->buttons().size()));
        top += kChoiceHeight + 2;
        if (example.isEmpty())
            continue;
        auto* line = new QLabel(example, this);
        line->setGeometry(kLeft + 26, top - 2, kWidth - kLeft - 30, kExampleHeight);
        line->setStyleSheet("font: 11px 'Arial';");
        choice->setAccessibleDescription(example);
        top += kExampleHeight;
    }
    return top;
}

// Tab lands on a group's chosen button, as in any dialog; Qt would take the
// first one, and the arrows would then change the choice from there.
bool Tgamestart::eventFilter(QObject* watched, QEvent* event) {
    auto* choice = qobject_cast<QRadioButton*>(watched);
    if (choice && event->type() == QEvent::FocusIn && !choice->isChecked()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QAbstractButton* checked = choice->group() ? choice->group()->checkedButton() : nullptr;
        if (checked && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            checked->setFocus(reason);
    }
    return SmallWindow::eventFilter(watched, event);
}

void Tgamestart::image_1Click(int gametype) {
    choice_.gametype = gametype;
    showChoice();
}

// Off keeps the fairness it had, so turning Klot on again brings it back.
void Tgamestart::chooseKlot(int id) {
    choice_.botoff = id == KlotOff ? 1 : 0;
    if (id != KlotOff)
        choice_.botfair = id == KlotFair ? 1 : 0;
}

void Tgamestart::button_startClick() {
    if (onStart_)
        onStart_();
    hide();
}

void Tgamestart::showChoice() {
    // The unloaded 0 starts a high score game, so it shows as one.
    const int type = choice_.gametype >= 1 && choice_.gametype <= 4 ? choice_.gametype : 1;
    types_->button(type - 1)->setChecked(true);
    marks_->button(choice_.exactmarks == 1 ? 1 : 0)->setChecked(true);
    klot_->button(choice_.botoff == 1    ? KlotOff
                  : choice_.botfair == 1 ? KlotFair
                                         : KlotHints)
        ->setChecked(true);
}

void Tgamestart::showEvent(QShowEvent* event) {
    showChoice(); // the settings may have changed the choice since the last showing
    SmallWindow::showEvent(event);
}
