#pragma once

#include "net/game_shape.h"

#include <QFrame>
#include <array>

class QLabel;
class QToolButton;

// The finder's guesses of the last word, floating over the table. The player
// drags it anywhere inside the window and closes it with its "X".
class WordListPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 107;
    static constexpr int kHeight = 183;

    explicit WordListPanel(QWidget* parent);

    void loadwords(const QString& name, const QString& word, int index);
    void clearwords();
    QString title() const;
    QString word(int index) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void dragTo(QPoint pointInPanel);

    QLabel* label_name = nullptr;
    std::array<QLabel*, game::kRows> label_word{};
    QToolButton* FlatSpeedButton1 = nullptr;
    bool dragging = false;
    QPoint drag; // the press point inside the panel
};
