#include "client/tgamestart.h"

#include <QLabel>

Tgamestart::Tgamestart()
    : SmallWindow("gamestart", "Ludomyra - Game Start", QSize(260, 230), Qt::Tool) {
    auto* heading = new QLabel("GAME OPTIONS", this);
    heading->setObjectName("label_heading");
    heading->setGeometry(0, 10, width(), 24);
    heading->setAlignment(Qt::AlignCenter);
}
