#include "client/chat/smiley_menu.h"

#include <QMenu>

SmileyButton::SmileyButton(QWidget* panel) : QPushButton(panel) {
    setObjectName("button_smilies");
    setGeometry(703, 488, 25, 19);
    setFocusPolicy(Qt::NoFocus);
    popup_smilies = new QMenu(this);
    popup_smilies->setObjectName("popup_smilies");
    for (int index = 0; index < kCount; ++index) {
        const QString code = QString(":)#%1").arg(kFirstCode + index);
        QAction* item = popup_smilies->addAction(code);
        item->setObjectName(QString("smiley%1").arg(kFirstCode + index));
        connect(item, &QAction::triggered, this, [this, code] { emit smileyChosen(code); });
    }
    connect(this, &QPushButton::clicked, this, [this] { button_smiliesClick(); });
}

void SmileyButton::setSmileys(const QList<QPixmap>& pictures) {
    const QList<QAction*> items = popup_smilies->actions();
    for (int index = 0; index < items.size(); ++index)
        items[index]->setIcon(QIcon(pictures.value(index)));
    setIcon(QIcon(pictures.value(0)));
}

void SmileyButton::button_smiliesClick() {
    popup_smilies->popup(mapToGlobal(rect().bottomRight()));
}
