#pragma once

#include "client/core/client_state.h"
#include "net/game_messages.h"

#include <QLineEdit>
#include <QObject>
#include <array>
#include <functional>

// One of the five one-letter edits: every key goes to its row's rules; paste,
// drop and input methods cannot bring anything but a letter A-Z in.
class LetterEdit : public QLineEdit {
    Q_OBJECT
public:
    LetterEdit(QWidget* parent, int column);
    std::function<bool(int column, QKeyEvent* event)> onKey; // true: the key is used up
    // Only when the player moves into the edit: not when the window, a menu
    // or a dialog gives the focus back.
    std::function<void(int column)> onEnteredByPlayer;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int column_;
};

// The input row under the board: the player whose turn it is types one
// letter per edit, and Enter in the last one submits a five-letter word.
// The edits' colour doubles as their lock: red edits take no typing.
class GuessRow : public QObject {
    Q_OBJECT
public:
    enum class Look { Open, Locked, Submitted, Revealed };
    struct Hooks {
        std::function<void(const QString& name)> playsound;
        // Enter in the last edit with five letters A-Z in the row.
        std::function<void(const QString& word)> entered;
        // The word's first letter, empty while none is known.
        std::function<QString()> givenLetter;
    };
    static constexpr int kColumns = game::kLetters;

    GuessRow(QWidget* parent, QPoint topLeft, const ClientState& state, Hooks hooks);

    // Empty edits in the given look; Revealed shows `word` and is read-only.
    void show(Look look, const gamemsg::Letters& word = {});
    // The same letters in another look (a submitted guess stays until judged).
    void setLook(Look look);
    void clearColumn(int column);
    Look look() const { return look_; }
    void focusFirst();
    LetterEdit* edit(int column) const { return edits_[size_t(column - 1)]; }
    QString word() const;
    // One of the five edits has the focus: the player may be typing a guess.
    bool hasFocus() const;

private:
    bool keyPress(int column, QKeyEvent* event);
    void enter(int column);
    bool locked() const { return look_ == Look::Locked || look_ == Look::Revealed; }
    bool mayType() const;
    void applyStyle();
    void focusMoved(QWidget* now);

    const ClientState& state_;
    Hooks hooks_;
    QWidget* row_ = nullptr; // holds the edits and their style sheet
    std::array<LetterEdit*, kColumns> edits_{};
    Look look_ = Look::Open;
    bool focused_ = false; // one of the edits has the keys: the row wears the focus frame
};
