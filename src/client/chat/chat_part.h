#pragma once

#include "client/chat/chat_sender.h"
#include "client/chat/colour_value.h"
#include "net/game_messages.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class ChatEntry;
class QAction;
class ChatPane;
class PhraseButtons;
class SmileyButton;
class Tphrases;
struct MainMenu;
class QWidget;

// The chat of the main window: the pane, the entry box, the phrase buttons,
// the smiley menu, the phrase editor and the chat items of the Options menu.
class ChatPart : public QObject {
    Q_OBJECT
public:
    ChatPart(QWidget* panel, MainMenu& menu, ClientState& state, ClientOutbox& outbox);
    ~ChatPart() override;

    void addlinetochat(const QString& line, ColourValue colour);
    // CMD_chat and CMD_action from the host.
    void chatrecieved(const gamemsg::ChatLine& line);
    // One tick of the main window's timer (phrase cool-down).
    void tick();

    ColourValue textColour() const { return sender_.textColour; }
    void setTextColour(ColourValue colour);
    int textSize() const;
    // Sizes other than the menu's four are shown, with no size item checked.
    void setTextSize(int points);
    QStringList phrases() const;
    // Stored phrases: each non-empty one replaces that button's phrase.
    void setPhrases(const QStringList& stored);
    void setSmileys(const QList<QPixmap>& pictures);

    ChatPane* pane() const { return pane_; }
    ChatEntry* entry() const { return entry_; }
    PhraseButtons* phraseButtons() const { return phraseButtons_; }
    // Built when first asked for: most games never edit a phrase.
    Tphrases* phraseEditor();

    // After the player changed the text colour or size: time to save.
    std::function<void()> settingsChanged;
    // After "Done" in the phrase editor, with all nine phrases: time to save them.
    std::function<void(const QStringList&)> phrasesEdited;
    // The colour dialog; tests answer it without a modal window.
    std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)> chooseColour;

private:
    void connectMenu();
    void TextColor1Click();
    void N14Click(QAction* item);

    MainMenu& menu_;
    ChatSender sender_;
    ChatPane* pane_;
    ChatEntry* entry_;
    PhraseButtons* phraseButtons_;
    SmileyButton* smileyButton_;
    std::unique_ptr<Tphrases> phraseEditor_;
};
