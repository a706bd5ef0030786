#include "client/artwork.h"

#include <QPainter>

// Plain stand-ins until the drawn pictures are in.
namespace artwork {

QSize naturalSize(ArtRole role) {
    switch (role) {
    case ArtRole::Table:
        return {470, 255};
    case ArtRole::RackBackground:
        return {225, 30};
    case ArtRole::Chalk:
        return {14, 15};
    case ArtRole::Eyes:
        return {27, 16};
    case ArtRole::TurnMarker:
        return {16, 12};
    case ArtRole::Board:
        return {240, 300};
    case ArtRole::WordListPanel:
        return {107, 183};
    case ArtRole::BoxEmpty:
    case ArtRole::BoxTicked:
        return {28, 22};
    case ArtRole::StartPicture:
    case ArtRole::StartButton:
        return {150, 35};
    case ArtRole::Logo:
        return {100, 40};
    case ArtRole::ProgramPicture:
        return {64, 64};
    case ArtRole::Background:
        return {64, 64};
    case ArtRole::AppIcon:
        return {256, 256};
    }
    return {16, 16};
}

QPixmap picture(ArtRole role, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(role == ArtRole::BoxTicked ? Qt::green : Qt::darkGray);
    return pixmap;
}

QPixmap picture(ArtRole role) {
    return picture(role, naturalSize(role));
}

QPixmap ball(int number) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(number >= 1 && number <= 9 ? Qt::yellow : Qt::white);
    painter.drawEllipse(1, 1, 22, 22);
    return pixmap;
}

QPixmap smiley(int) {
    QPixmap pixmap(17, 17);
    pixmap.fill(Qt::yellow);
    return pixmap;
}

} // namespace artwork
