#include "client/look/session_end_bar.h"

#include "client/look/widget_look.h"
#include "common/plain_widgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Over the felt, below the winner's banner, where the start button stands.
constexpr QRect kBarArea(270, 112, 445, 98);

// The start button's wood and lettering; a pale gold ring marks the focus.
constexpr char kLook[] =
    "SessionEndBar { background: rgba(20, 40, 24, 215); border-radius: 6px; }"
    "QPushButton { color: rgb(224, 227, 157); font: bold 13px 'Arial';"
    "  border: 1px solid rgb(26, 13, 5); border-radius: 7px; padding: 6px 8px;"
    "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(185, 122, 62),"
    "    stop:0.5 rgb(110, 63, 29), stop:1 rgb(59, 34, 18)); }"
    "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    "    stop:0 rgb(205, 142, 78), stop:0.5 rgb(130, 78, 38), stop:1 rgb(70, 41, 22)); }"
    "QPushButton:focus { border: 2px solid rgb(224, 227, 157); }"
    "QPushButton:disabled { color: rgb(128, 118, 92); background: rgb(62, 48, 36); }";

} // namespace

SessionEndBar::SessionEndBar(QWidget* panel, Choices choices, std::function<void()> built)
    : QFrame(panel), choices_(std::move(choices)), built_(std::move(built)) {
    setObjectName("panel_sessionend");
    setGeometry(kBarArea);
    setAccessibleName("The table has ended");
    hide();
}

void SessionEndBar::build() {
    if (caption_)
        return;
    setStyleSheet(kLook);
    caption_ = plainwidgets::label(this); // a host's address may be part of it
    caption_->setObjectName("label_sessionend");
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setFont(look::boldArial(15));
    look::setTextColour(caption_, look::kCaptionColour);

    // Coming back comes first, on a row of its own above the next tables.
    auto* back = new QHBoxLayout;
    back->addStretch();
    giveUp_ = addChoice(kGiveUp, "button_giveup", choices_.giveUp);
    rejoin_ = addChoice(kRejoin, "button_rejoin", choices_.rejoin);
    back->addWidget(giveUp_);
    back->addWidget(rejoin_);
    back->addStretch();

    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(addChoice(kJoin, "button_join", choices_.join));
    row->addWidget(addChoice(kHost, "button_host", choices_.host));
    row->addWidget(addChoice(kSolo, "button_solo", choices_.solo));
    row->addWidget(addChoice(kExit, "button_exit", choices_.exit));
    hide_ = addChoice(kHide, "button_hide", [this] { dismiss(); });
    hide_->setToolTip("Hide this bar to look at the table; the File menu has these choices");
    row->addWidget(hide_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 10, 10);
    column->setSpacing(8);
    column->addWidget(caption_);
    column->addLayout(back);
    column->addLayout(row);
    if (built_)
        built_();
}

QPushButton* SessionEndBar::addChoice(const char* caption, const QString& objectName,
                                      const std::function<void()>& action) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(objectName);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(true); // Enter takes the focused choice, as Space does
    button->setCursor(Qt::PointingHandCursor);
    button->setEnabled(bool(action));
    if (action)
        connect(button, &QPushButton::clicked, this, [action] { action(); });
    buttons_.append(button);
    return button;
}

void SessionEndBar::offer(const QString& reason, bool rejoinOffered) {
    build();
    caption_->setText(reason);
    showButtons(false, rejoinOffered);
}

void SessionEndBar::showReconnecting() {
    build();
    caption_->setText(QString::fromUtf8(kReconnecting));
    showButtons(true, false);
}

void SessionEndBar::showButtons(bool reconnecting, bool rejoinOffered) {
    for (QPushButton* button : buttons_)
        button->setVisible(button == giveUp_   ? reconnecting
                           : button == rejoin_ ? rejoinOffered
                                               : !reconnecting);
    setAccessibleName(reconnecting ? "Reconnecting to the table" : "The table has ended");
    // Grows downwards when both rows are shown.
    layout()->activate();
    resize(kBarArea.width(), std::max(kBarArea.height(), layout()->sizeHint().height()));
    show();
    raise();
}

void SessionEndBar::dismiss() {
    hide(); // a focused choice hands the focus on as it goes
}

void SessionEndBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && hide_ && hide_->isVisible()) {
        dismiss();
        return;
    }
    QFrame::keyPressEvent(event);
}

QString SessionEndBar::reason() const {
    return caption_ ? caption_->text() : QString();
}

QList<QPushButton*> SessionEndBar::buttons() const {
    return buttons_;
}

QStringList SessionEndBar::offered() const {
    QStringList captions;
    for (const QPushButton* button : buttons_)
        if (button->isEnabled() && !button->isHidden())
            captions.append(button->text());
    return captions;
}
