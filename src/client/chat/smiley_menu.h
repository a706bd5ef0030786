#pragma once

#include <QList>
#include <QPixmap>
#include <QPushButton>

class QMenu;

// The smiley button right of the entry box and its menu of 18 smileys.
class SmileyButton : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kFirstCode = 10;
    static constexpr int kCount = 18;

    explicit SmileyButton(QWidget* panel);

    void setSmileys(const QList<QPixmap>& pictures);
    // Opens the menu at the button's lower right corner.
    void button_smiliesClick();

    QMenu* popup_smilies = nullptr;

signals:
    void smileyChosen(const QString& code); // ":)#10" .. ":)#27"
};
