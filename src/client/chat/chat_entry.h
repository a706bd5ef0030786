#pragma once

#include "client/chat/colour_value.h"

#include <QLineEdit>

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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void clearPlaceholder();
    void caretToEnd();

    ChatSender& sender_;
};
