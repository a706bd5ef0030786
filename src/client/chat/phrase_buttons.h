#pragma once

#include "client/chat/cooling_button.h"

#include <QList>
#include <QObject>
#include <QStringList>

class ChatSender;
class QWidget;

// The nine phrase buttons left of the chat pane: one click sends a stored
// phrase as an action. After a phrase they stay silent for a short while.
// Each button shows its phrase as its tooltip, as plain text: phrases come
// from the settings file. They are in the focus chain (Tab, then Space) but
// a click leaves the focus where it was, in the guess or the chat box.
class PhraseButtons : public QObject {
    Q_OBJECT
public:
    static constexpr int kCount = 9;
    static constexpr int kCoolDownTicks = 100; // ready on the tick that passes it
    static const QStringList kDefaultPhrases;

    PhraseButtons(QWidget* panel, ChatSender& sender);

    QStringList phrases() const;
    void setPhrase(int index, const QString& phrase); // index 0..8
    CoolingButton* button(int index) const { return buttons_.at(index); }

    void b_phrase1Click(int index);
    // One tick of the main window's timer: counts the cool-down.
    void tick();

    bool phraseready = true;
    int phraseticks = 0;

private:
    ChatSender& sender_;
    void showCooling(bool cooling);

    QList<CoolingButton*> buttons_;
    QStringList phrases_;
};
