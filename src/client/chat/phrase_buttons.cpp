#include "client/chat/phrase_buttons.h"

#include "client/chat/chat_sender.h"
#include "client/chat/cooling_button.h"
#include "common/plain_widgets.h"

#include <QFontMetrics>
#include <QRegularExpression>

namespace {

constexpr int kButtonWidth = 25;
constexpr int kCaptionMargin = 4; // each side, inside the border, with room for a smaller zoom

// The phrase's first word, as much of it as fits: enough to tell the
// buttons apart at a glance; the tooltip holds the whole phrase.
QString captionFor(const QString& phrase, const QFontMetrics& metrics) {
    QString said = phrase.startsWith("/me ") ? phrase.mid(4) : phrase;
    static const QRegularExpression edges(QStringLiteral("^\\W+|[^\\w'].*$"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression blank(QStringLiteral("\\s"));
    said = said.trimmed();
    QString word = said.section(blank, 0, 0);
    word.remove(edges);
    if (word.isEmpty())
        word = said.left(3); // a phrase of signs only, such as ":)"
    while (!word.isEmpty() && metrics.horizontalAdvance(word) > kButtonWidth - 2 * kCaptionMargin)
        word.chop(1);
    return word.replace(u'&', QStringLiteral("&&")); // a caption's & marks an access key
}

} // namespace

const QStringList PhraseButtons::kDefaultPhrases = {
    "Way To Go!", "Good One!", "Nice Try!",         "Excellent!",         "Brilliant!",
    "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!"};

PhraseButtons::PhraseButtons(QWidget* panel, ChatSender& sender) : QObject(panel), sender_(sender) {
    // One style sheet for the column rather than one per button: each sheet
    // is parsed and polished on its own.
    auto* column = new QWidget(panel);
    column->setObjectName("phrase_buttons");
    column->setGeometry(352, 310, kButtonWidth, 20 * kCount - 1);
    QFont captionFont("Arial");
    captionFont.setPixelSize(7);
    captionFont.setBold(true);
    column->setFont(captionFont);
    column->setStyleSheet("QPushButton { background: rgb(255, 255, 0); color: rgb(40, 30, 0);"
                          " padding: 0px; border: 1px solid rgb(128, 128, 0); border-radius: 2px; }"
                          "QPushButton[cooling=\"true\"] { background: rgb(150, 140, 96); "
                          "border-color: rgb(90, 80, 50); }"
                          "QPushButton:focus { border: 2px solid rgb(200, 40, 0); }");
    for (int index = 0; index < kCount; ++index) {
        auto* button = new CoolingButton(column);
        button->setObjectName(QString("b_phrase%1").arg(index + 1));
        button->setGeometry(0, 20 * index, kButtonWidth, 19);
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, index] { b_phrase1Click(index); });
        buttons_.append(button);
        phrases_.append(QString());
        setPhrase(index, kDefaultPhrases[index]);
    }
}

QStringList PhraseButtons::phrases() const {
    return phrases_;
}

void PhraseButtons::setPhrase(int index, const QString& phrase) {
    phrases_[index] = phrase;
    buttons_.at(index)->setText(captionFor(phrase, buttons_.at(index)->fontMetrics()));
    buttons_.at(index)->setToolTip(plainwidgets::toolTip(phrase));
    buttons_.at(index)->setAccessibleName(QString("Phrase %1: %2").arg(index + 1).arg(phrase));
}

void PhraseButtons::b_phrase1Click(int index) {
    if (!sender_.connected() || !phraseready)
        return;
    const QString& phrase = phrases_.at(index);
    if (phrase.startsWith("/me "))
        sender_.sendAction(phrase.mid(4));
    else
        sender_.sendAction("says: " + phrase);
    phraseready = false;
    showCooling(true);
}

void PhraseButtons::tick() {
    if (!phraseready && ++phraseticks > kCoolDownTicks) {
        phraseready = true;
        phraseticks = 0;
        showCooling(false);
    }
}

void PhraseButtons::showCooling(bool cooling) {
    for (CoolingButton* button : buttons_)
        button->setCooling(cooling);
}
