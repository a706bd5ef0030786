#include "client/chat/chat_part.h"

#include "client/chat/chat_entry.h"
#include "client/chat/chat_pane.h"
#include "client/chat/colour_text.h"
#include "client/chat/phrase_buttons.h"
#include "client/chat/received_chat.h"
#include "client/chat/smiley_menu.h"
#include "client/chat/tphrases.h"
#include "client/core/main_menu.h"
#include "client/look/artwork.h"
#include "client/look/panel_zoom.h"
#include "client/look/widget_look.h"

#include <QColorDialog>
#include <QFrame>

namespace {

// As large as the text around them, which scales with the panel.
QList<QPixmap> smileyPictures(qreal zoom) {
    QList<QPixmap> pictures;
    for (int index = 0; index < ChatPane::kSmileyCount; ++index)
        pictures.append(artwork::smiley(index, (QSizeF(ChatPane::kSmileySize) * zoom).toSize()));
    return pictures;
}

} // namespace

ChatPart::ChatPart(QWidget* panel, MainMenu& menu, ClientState& state, ClientOutbox& outbox)
    : QObject(panel), menu_(menu), sender_(state, outbox) {
    auto* frame = new QFrame(panel);
    frame->setObjectName("panel_chat");
    frame->setGeometry(380, 311, 348, 175);
    look::setBackground(frame, QColor(92, 58, 30));
    pane_ = new ChatPane(panel);
    pane_->setGeometry(382, 313, 344, 171);
    pane_->shareScrollOffAction(menu.ScrollChatOff1);
    pane_->setAccessibleName("Chat");
    entry_ = new ChatEntry(panel, sender_);
    entry_->setAccessibleName("Chat message");
    phraseButtons_ = new PhraseButtons(panel, sender_);
    smileyButton_ = new SmileyButton(panel);
    setSmileys(smileyPictures(1));
    if (PanelZoom* zoom = PanelZoom::of(panel))
        connect(zoom, &PanelZoom::scaleChanged, this,
                [this](qreal scale) { setSmileys(smileyPictures(scale)); });
    setTextSize(ChatPane::kDefaultTextSize);

    chooseColour = [](const QColor& initial, QWidget* parent) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, parent);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    connect(pane_, &ChatPane::clearedByPlayer, entry_, [this] { entry_->setFocus(); });
    connect(smileyButton_, &SmileyButton::smileyChosen, entry_, &ChatEntry::appendText);
    connectMenu();
}

ChatPart::~ChatPart() = default;

Tphrases* ChatPart::phraseEditor() {
    if (phraseEditor_)
        return phraseEditor_.get();
    phraseEditor_ = std::make_unique<Tphrases>();
    phraseEditor_->onDone = [this](const QStringList& edited) {
        for (int index = 0; index < PhraseButtons::kCount; ++index)
            phraseButtons_->setPhrase(index, edited.value(index));
        if (phrasesEdited)
            phrasesEdited(edited);
    };
    return phraseEditor_.get();
}

void ChatPart::connectMenu() {
    connect(menu_.TextColor1, &QAction::triggered, this, [this] { TextColor1Click(); });
    for (QAction* item : {menu_.TextSize8, menu_.TextSize10, menu_.TextSize12, menu_.TextSize14})
        connect(item, &QAction::triggered, this, [this, item] { N14Click(item); });
    connect(menu_.ScrollChatOff1, &QAction::toggled, entry_, [this] { entry_->setFocus(); });
    connect(menu_.ClearMainChat1, &QAction::triggered, pane_, &ChatPane::clearChat);
    connect(menu_.PhraseList1, &QAction::triggered, this,
            [this] { phraseEditor()->edit(phrases(), pane_->window()); });
}

void ChatPart::addlinetochat(const QString& line, ColourValue colour) {
    pane_->addlinetochat(line, colour);
}

void ChatPart::chatrecieved(const gamemsg::ChatLine& line) {
    const ReceivedChat chat = readReceivedChat(line);
    pane_->addlinetochat(chat.line, chat.colour);
}

void ChatPart::tick() {
    phraseButtons_->tick();
}

void ChatPart::setTextColour(ColourValue colour) {
    sender_.textColour = colour;
    entry_->setTextColour(colour);
}

int ChatPart::textSize() const {
    return pane_->textSize();
}

void ChatPart::setTextSize(int points) {
    if (points <= 0)
        return;
    pane_->setTextSize(points);
    for (QAction* item : {menu_.TextSize8, menu_.TextSize10, menu_.TextSize12, menu_.TextSize14})
        item->setChecked(item->data().toInt() == points);
}

QStringList ChatPart::phrases() const {
    return phraseButtons_->phrases();
}

void ChatPart::setPhrases(const QStringList& stored) {
    for (int index = 0; index < PhraseButtons::kCount && index < stored.size(); ++index) {
        if (!stored[index].isEmpty())
            phraseButtons_->setPhrase(index, stored[index]);
    }
}

void ChatPart::setSmileys(const QList<QPixmap>& pictures) {
    pane_->setSmileys(pictures);
    smileyButton_->setSmileys(pictures);
}

void ChatPart::TextColor1Click() {
    const std::optional<QColor> chosen = chooseColour(toQColor(textColour()), pane_->window());
    if (!chosen)
        return;
    setTextColour(fromQColor(*chosen));
    if (settingsChanged)
        settingsChanged();
}

void ChatPart::N14Click(QAction* item) {
    setTextSize(item->data().toInt());
    if (settingsChanged)
        settingsChanged();
}
