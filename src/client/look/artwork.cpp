#include "client/look/artwork.h"

#include "client/look/baked_picture.h"
#include "net/game_shape.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <array>

// Outside any namespace, as Qt's resource macro needs.
static void loadPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace artwork {

namespace {

constexpr int kBalls = game::kBalls + 1; // 0 is the cue ball
constexpr int kSmileys = 18;

const char* fileOf(ArtRole role) {
    switch (role) {
    case ArtRole::Table:
        return "table";
    case ArtRole::RackBackground:
        return "rack";
    case ArtRole::Chalk:
        return "chalk";
    case ArtRole::Eyes:
        return "eyes";
    case ArtRole::TurnMarker:
        return "turn-marker";
    case ArtRole::Board:
        return "board";
    case ArtRole::WordListPanel:
        return "word-list-panel";
    case ArtRole::BoxEmpty:
        return "box-empty";
    case ArtRole::BoxTicked:
        return "box-ticked";
    case ArtRole::StartPicture:
        return "start-picture";
    case ArtRole::StartButton:
        return "start-button";
    case ArtRole::Logo:
        return "logo";
    case ArtRole::ProgramPicture:
        return "program-picture";
    case ArtRole::Background:
        return "background";
    case ArtRole::AppIcon:
        return "app-icon";
    }
    return "table";
}

// In the order of the smiley codes 10..27.
constexpr std::array<const char*, kSmileys> kSmileyNames = {
    "smile", "grin", "wink",     "tongue", "sad",  "cry",   "angry", "surprised", "cool",
    "laugh", "love", "confused", "sleepy", "evil", "angel", "blush", "kiss",      "thumbs-up"};

QString resourceOf(const QString& name) {
    static const bool loaded = (loadPictureResources(), true);
    Q_UNUSED(loaded);
    return QString(":/pictures/%1.svg").arg(name);
}

QSvgRenderer& rendererOf(const QString& path) {
    static QHash<QString, QSvgRenderer*> renderers;
    QSvgRenderer*& renderer = renderers[path];
    if (!renderer)
        renderer = new QSvgRenderer(path); // kept for the life of the program
    return *renderer;
}

qreal screenRatio() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

// The build renders every picture at its natural size at 1x and 2x; those
// need no drawing here.
bool isBaked(qreal ratio) {
    return ratio == 1 || ratio == 2;
}

QImage bakedImage(const QString& name, qreal ratio) {
    const QResource file(":/baked/" + bakedpicture::fileName(name, int(ratio)));
    return file.isValid() ? bakedpicture::decode(file.uncompressedData()) : QImage();
}

// The baked natural sizes, read once: "NAME WIDTH HEIGHT" a line.
QHash<QString, QSize> bakedSizes() {
    QHash<QString, QSize> sizes;
    const QByteArray listing = QResource(":/baked/sizes").uncompressedData();
    for (const QByteArray& line : listing.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3)
            sizes.insert(QString::fromUtf8(fields[0]), QSize(fields[1].toInt(), fields[2].toInt()));
    }
    return sizes;
}

QSize naturalSizeOf(const QString& name) {
    static const QHash<QString, QSize> baked = bakedSizes();
    const QSize size = baked.value(name);
    return size.isValid() ? size : rendererOf(resourceOf(name)).defaultSize();
}

QPixmap drawn(const QString& name, QSize size, qreal ratio) {
    if (isBaked(ratio) && size == naturalSizeOf(name)) {
        QImage baked = bakedImage(name, ratio);
        if (baked.size() == size * ratio)
            return QPixmap::fromImage(std::move(baked));
    }
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        rendererOf(resourceOf(name)).render(&painter);
    }
    return pixmap;
}

struct Source {
    QString name;
    QSize size;
};

// The pictures handed out at the screen's ratio, by the key every copy shares.
QHash<qint64, Source>& sources() {
    static QHash<qint64, Source> known;
    return known;
}

// Each file, size and pixel ratio is made once. Pictures for a zoomed panel
// are kept only for the latest ratio: fitted to a window, a panel passes
// through many.
QPixmap rendered(const QString& name, QSize size, qreal ratio) {
    const QString key =
        QString("%1@%2x%3@%4").arg(name).arg(size.width()).arg(size.height()).arg(ratio);
    const bool screens = ratio == screenRatio();
    static QHash<QString, QPixmap> cache, zoomed;
    static qreal zoomedRatio = 0;
    if (!screens && ratio != zoomedRatio) {
        zoomed.clear();
        zoomedRatio = ratio;
    }
    QHash<QString, QPixmap>& kept = screens ? cache : zoomed;
    if (const auto it = kept.constFind(key); it != kept.constEnd())
        return *it;
    QPixmap pixmap = drawn(name, size, ratio);
    pixmap.setDevicePixelRatio(ratio);
    kept.insert(key, pixmap);
    if (screens)
        sources().insert(pixmap.cacheKey(), Source{name, size});
    return pixmap;
}

QPixmap rendered(const QString& name, QSize size) {
    return rendered(name, size, screenRatio());
}

QPixmap renderedAtNaturalSize(const QString& name) {
    return rendered(name, naturalSizeOf(name));
}

} // namespace

QSize naturalSize(ArtRole role) {
    return naturalSizeOf(fileOf(role));
}

QPixmap picture(ArtRole role) {
    return renderedAtNaturalSize(fileOf(role));
}

QPixmap picture(ArtRole role, QSize size) {
    return rendered(fileOf(role), size);
}

namespace {

QString ballName(int number) {
    return QString("ball-%1").arg(number < 0 || number >= kBalls ? 0 : number);
}

} // namespace

QPixmap ball(int number) {
    return renderedAtNaturalSize(ballName(number));
}

QPixmap ball(int number, QSize size) {
    return rendered(ballName(number), size);
}

QPixmap ballInPlay(int number) {
    if (number < 1 || number >= kBalls)
        number = 1;
    return renderedAtNaturalSize(QString("ball-in-play-%1").arg(number));
}

QPixmap markBall(int number) {
    if (number < 0 || number >= kBalls)
        number = 0;
    return renderedAtNaturalSize(QString("mark-%1").arg(number));
}

QPixmap picture(ArtRole role, QSize size, qreal zoom) {
    return rendered(fileOf(role), size, screenRatio() * zoom);
}

QPixmap ball(int number, qreal zoom) {
    const QString name = ballName(number);
    return rendered(name, naturalSizeOf(name), screenRatio() * zoom);
}

QPixmap sharpAt(const QPixmap& picture, qreal zoom) {
    const auto it = sources().constFind(picture.cacheKey());
    if (it == sources().constEnd())
        return {};
    return rendered(it->name, it->size, screenRatio() * zoom);
}

namespace {

QString smileyName(int index) {
    return QString("smiley-%1").arg(kSmileyNames[index < 0 || index >= kSmileys ? 0 : index]);
}

} // namespace

QPixmap smiley(int index) {
    return renderedAtNaturalSize(smileyName(index));
}

QPixmap smiley(int index, QSize size) {
    return rendered(smileyName(index), size);
}

QString smileyTitle(int index) {
    if (index < 0 || index >= kSmileys)
        index = 0;
    QString title = QString::fromLatin1(kSmileyNames[index]).replace(u'-', u' ');
    title[0] = title[0].toUpper();
    return title;
}

} // namespace artwork
