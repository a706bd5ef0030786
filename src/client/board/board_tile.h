#pragma once

#include <QColor>
#include <QLabel>

// One square of the guess board: its letter over the board picture's square,
// which a tint may fill ("Colour the Tiles"). The letter stands in the upper
// part; the square's lower part is kept free for the mark under it.
class BoardTile : public QLabel {
    Q_OBJECT
public:
    explicit BoardTile(QWidget* parent);

    // An invalid colour leaves the board picture's square showing.
    void setTint(const QColor& tint);
    QColor tint() const { return tint_; }

    // Told apart with any colour vision: blue for a letter in its place,
    // orange for a letter elsewhere in the word, grey for one not in it.
    static QColor tintOf(char mark);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor tint_;
};
