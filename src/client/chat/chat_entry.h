#pragma once

#include "client/chat/colour_value.h"

#include <QLineEdit>
#include <functional>

class ChatSender;
class QMenu;

// The one-line entry box under the chat pane. Enter sends what it holds.
class ChatEntry : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 1000;
    static inline const QString kPlaceholder = QStringLiteral("<Enter Chat Here>");

    ChatEntry(QWidget* parent, ChatSender& sender);

    // Sends the text as a chat line, or as an action when it starts "/me";
    // other "/" words are not sent. Not connected: the text stays.
    void sendit();
    // Appends the clipboard's text, caret at the end.
    void Paste1Click();
    // Appends text (a smiley code) as if typed, caret at the end.
    void appendText(const QString& text);
    void setTextColour(ColourValue colour);

    QMenu* popup_mychat = nullptr;
    // The own guess row is open and empty: a lone five-letter word sent now
    // was likely meant as the guess.
    std::function<bool()> guessWaiting;
    // After the player chose not to send such a word: the keys go to the row.
    std::function<void()> backToGuess;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool meantForChat(const QString& line);
    void clearPlaceholder();
    void caretToEnd();

    ChatSender& sender_;
    QString askedAbout_; // the word last asked about: Enter again sends it
};
