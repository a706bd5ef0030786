#include "client/chat/chat_entry.h"

#include "client/chat/chat_sender.h"
#include "client/chat/colour_text.h"
#include "client/chat/plain_text.h"
#include "client/core/access_keys.h"
#include "client/look/message_box.h"
#include "client/look/widget_look.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>

ChatEntry::ChatEntry(QWidget* parent, ChatSender& sender) : QLineEdit(parent), sender_(sender) {
    setObjectName("mychat");
    setGeometry(380, 487, 321, 22);
    QFont entryFont("Arial");
    entryFont.setPixelSize(13);
    setFont(entryFont);
    setMaxLength(kMaxLength);
    setValidator(new BlankingValidator(this));
    setText(kPlaceholder);
    setTextColour(sender.textColour);

    popup_mychat = new QMenu(this);
    popup_mychat->setObjectName("popup_mychat");
    QAction* paste = popup_mychat->addAction("Paste", this, [this] { Paste1Click(); });
    paste->setObjectName("Paste1");
    paste->setShortcut(QKeySequence::Paste);
    accesskeys::assign(popup_mychat);
}

void ChatEntry::sendit() {
    if (!sender_.connected())
        return;
    const QString line = text() == kPlaceholder ? QString() : text();
    if (!meantForChat(line))
        return;
    askedAbout_.clear();
    if (!line.startsWith('/')) {
        if (!line.isEmpty())
            sender_.sendChat(line);
    } else if (line.startsWith("/me")) {
        sender_.sendAction(line.mid(4));
    }
    clear();
}

// Asked once for each such word: a second Enter sends it.
bool ChatEntry::meantForChat(const QString& line) {
    static const QRegularExpression loneWord("^\\s*[A-Za-z]{5}\\s*$");
    if (line == askedAbout_ || !loneWord.match(line).hasMatch() || !guessWaiting || !guessWaiting())
        return true;
    askedAbout_ = line;
    if (messagebox::ask(window(), QString("\"%1\" looks like your guess. Send it to everyone "
                                          "in the chat?")
                                      .arg(line.trimmed())))
        return true;
    if (backToGuess)
        backToGuess();
    return false;
}

void ChatEntry::Paste1Click() {
    const QString pasted = QApplication::clipboard()->text();
    if (!pasted.isEmpty())
        setText(text() + pasted);
    caretToEnd();
}

void ChatEntry::appendText(const QString& text) {
    clearPlaceholder();
    setText(this->text() + text);
    caretToEnd();
}

void ChatEntry::setTextColour(ColourValue colour) {
    QPalette textPalette = palette();
    textPalette.setColor(QPalette::Text, toQColor(colour));
    setPalette(textPalette);
}

void ChatEntry::clearPlaceholder() {
    if (text() == kPlaceholder)
        clear();
}

void ChatEntry::caretToEnd() {
    deselect();
    setCursorPosition(int(text().size()));
}

void ChatEntry::keyPressEvent(QKeyEvent* event) {
    clearPlaceholder();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        sendit();
        event->accept();
        return;
    }
    // The box's own paste inserts at the caret; ours appends, as the menu does.
    if (event->matches(QKeySequence::Paste)) {
        Paste1Click();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ChatEntry::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    clearPlaceholder();
    caretToEnd();
}

void ChatEntry::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (hasFocus())
        look::drawFocusFrame(this);
}

void ChatEntry::contextMenuEvent(QContextMenuEvent* event) {
    popup_mychat->exec(event->globalPos());
}
