#pragma once

#include <QFrame>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

class QToolButton;

// The smileys as a grid of pictures that pops up under the smiley button.
// Arrow keys move among them, Enter or Space takes one, Escape closes it.
// Its 18 actions, one per smiley, are what the pictures trigger.
class SmileyGrid : public QFrame {
    Q_OBJECT
public:
    static constexpr int kColumns = 6;

    explicit SmileyGrid(QWidget* parent);

    // Adds the next smiley: its picture, its code as the tooltip.
    QAction* addSmiley(const QString& code, const QString& title);
    void setPictures(const QList<QPixmap>& pictures);
    // Opens with its top right corner at `corner` (below its button), the
    // first smiley in focus.
    void popupAt(const QPoint& corner);

protected:
    // A button takes the arrow keys as "next" and "previous": here they
    // walk the grid, and Enter takes the smiley as Space does.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The focus goes back where it was (the guess, the chat box): it was
    // inside the grid, and Qt gives it back only to menus that never took it.
    void hideEvent(QHideEvent* event) override;

private:
    QList<QToolButton*> cells_;
    QPointer<QWidget> focusBefore_;
};

// The smiley button right of the entry box and its grid of 18 smileys.
class SmileyButton : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kFirstCode = 10;
    static constexpr int kCount = 18;

    explicit SmileyButton(QWidget* panel);

    void setSmileys(const QList<QPixmap>& pictures);
    // Opens the grid at the button's lower right corner.
    void button_smiliesClick();

    // The grid, made when first wanted: most games never open it.
    SmileyGrid* popup_smilies();

signals:
    void smileyChosen(const QString& code); // ":)#10" .. ":)#27"

private:
    SmileyGrid* grid_ = nullptr;
    QList<QPixmap> pictures_;
};
