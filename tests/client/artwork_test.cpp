#include "client/look/artwork.h"
#include "client/look/baked_picture.h"
#include "client/sound/sound_clips.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QSet>
#include <QSvgRenderer>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Every picture the windows ask for, at the size their layout is built around.
struct PictureNeed {
    ArtRole role;
    const char* name;
    QSize size;
};

const std::vector<PictureNeed> kPictures = {
    {ArtRole::Table, "table", {470, 255}},
    {ArtRole::RackBackground, "rack", {225, 30}},
    {ArtRole::Chalk, "chalk", {14, 15}},
    {ArtRole::Eyes, "eyes", {27, 16}},
    {ArtRole::TurnMarker, "turn marker", {16, 12}},
    {ArtRole::Board, "board", {231, 312}},
    {ArtRole::WordListPanel, "word list panel", {107, 183}},
    {ArtRole::BoxEmpty, "empty box", {28, 22}},
    {ArtRole::BoxTicked, "ticked box", {28, 22}},
    {ArtRole::StartPicture, "start picture", {150, 35}},
    {ArtRole::StartButton, "start button", {150, 35}},
    {ArtRole::Logo, "logo", {100, 40}},
    {ArtRole::ProgramPicture, "program picture", {64, 64}},
    {ArtRole::Background, "background", {128, 128}},
    {ArtRole::AppIcon, "application icon", {256, 256}},
};

// A picture that rendered to nothing, or to one flat colour, is broken.
bool looksDrawn(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                colours.insert(image.pixel(x, y));
    return colours.size() > 2;
}

QImage imageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(Artwork, EveryPictureIsThereAtItsSizeAndDrawn) {
    for (const PictureNeed& need : kPictures) {
        SCOPED_TRACE(need.name);
        EXPECT_EQ(artwork::naturalSize(need.role), need.size);
        const QPixmap natural = artwork::picture(need.role);
        EXPECT_EQ(natural.deviceIndependentSize().toSize(), need.size);
        EXPECT_TRUE(looksDrawn(natural));
        const QPixmap doubled = artwork::picture(need.role, need.size * 2);
        EXPECT_EQ(doubled.deviceIndependentSize().toSize(), need.size * 2);
        EXPECT_TRUE(looksDrawn(doubled));
    }
}

TEST(Artwork, APictureIsRenderedOnceAndTheBoxesDiffer) {
    EXPECT_EQ(artwork::picture(ArtRole::Table).cacheKey(),
              artwork::picture(ArtRole::Table).cacheKey());
    EXPECT_NE(imageOf(artwork::picture(ArtRole::BoxEmpty)),
              imageOf(artwork::picture(ArtRole::BoxTicked)));
}

QImage drawnFromSvg(const QString& svgPath, int ratio) {
    QSvgRenderer renderer(svgPath);
    QImage image(renderer.defaultSize() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The build bakes every SVG at 1x and 2x; a bake that is missing, stale or
// garbled shows here as pixels unlike the SVG's own drawing.
TEST(Artwork, BakedPicturesAreTheSvgDrawingsAtOneAndTwoTimes) {
    const QStringList svgs = QDir(LUDO_DATA_DIR "/pictures").entryList({"*.svg"});
    ASSERT_GE(svgs.size(), 40);
    for (const QString& svg : svgs) {
        const QString name = svg.chopped(4);
        for (const int ratio : {1, 2}) {
            SCOPED_TRACE(qPrintable(name + " at " + QString::number(ratio) + "x"));
            const QResource baked(":/baked/" + bakedpicture::fileName(name, ratio));
            ASSERT_TRUE(baked.isValid());
            const QImage pixels = bakedpicture::decode(baked.uncompressedData());
            EXPECT_EQ(pixels.convertToFormat(QImage::Format_ARGB32),
                      drawnFromSvg(QString(LUDO_DATA_DIR "/pictures/") + svg, ratio));
        }
    }
    EXPECT_EQ(imageOf(artwork::picture(ArtRole::Table)),
              drawnFromSvg(LUDO_DATA_DIR "/pictures/table.svg", 1));
}

TEST(Artwork, BakedPixelsThatAreNotAWholePictureAreRefused) {
    QImage image(3, 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(10, 20, 30, 128));
    const QByteArray bytes = bakedpicture::encode(image);
    EXPECT_EQ(bakedpicture::decode(bytes), image);
    EXPECT_TRUE(bakedpicture::decode(bytes.chopped(1)).isNull());
    EXPECT_TRUE(bakedpicture::decode(bytes + "x").isNull());
    EXPECT_TRUE(bakedpicture::decode(QByteArray("LPX2") + bytes.mid(4)).isNull());
    QByteArray huge = bytes;
    qToLittleEndian<quint32>(100000, huge.data() + 4); // width
    EXPECT_TRUE(bakedpicture::decode(huge).isNull());
    QByteArray indexed = bytes;
    qToLittleEndian<quint32>(QImage::Format_Indexed8, indexed.data() + 12);
    EXPECT_TRUE(bakedpicture::decode(indexed).isNull());
    EXPECT_TRUE(bakedpicture::encode(image.convertToFormat(QImage::Format_RGB888)).isEmpty());
}

// A numbered set (balls, smileys): each at its size, drawn and unlike the
// others; a number outside the set gives picture 0.
std::vector<QImage> checkNumberedSet(QPixmap (*pick)(int), int count, QSize size) {
    std::vector<QImage> seen;
    for (int number = 0; number < count; ++number) {
        SCOPED_TRACE(number);
        const QPixmap pixmap = pick(number);
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), size);
        EXPECT_TRUE(looksDrawn(pixmap));
        const QImage image = imageOf(pixmap);
        for (const QImage& other : seen)
            EXPECT_NE(image, other);
        seen.push_back(image);
    }
    EXPECT_EQ(imageOf(pick(count)), seen.front());
    EXPECT_EQ(imageOf(pick(-1)), seen.front());
    return seen;
}

// Hue in degrees where the ball's colour shows, left of its number; -1 for
// the white cue ball and the black eight, told apart by lightness instead.
TEST(Artwork, BallsWearTheStandardColours) {
    const int hues[10] = {-1, 48, 220, 3, 270, 26, 147, 355, -1, 48};
    const std::vector<QImage> balls = checkNumberedSet(artwork::ball, 10, {24, 24});
    const qreal ratio = artwork::ball(0).devicePixelRatio();
    for (int number = 0; number < int(balls.size()); ++number) {
        SCOPED_TRACE(number);
        const QColor body = balls[number].pixelColor(int(4 * ratio), int(12 * ratio));
        if (number == 0)
            EXPECT_GT(body.lightness(), 170);
        else if (number == 8)
            EXPECT_LT(body.lightness(), 60);
        else {
            const int off = std::abs(body.hue() - hues[number]);
            EXPECT_LE(std::min(off, 360 - off), 25) << "hue " << body.hue();
        }
    }
}

TEST(Artwork, EighteenDifferentSmileys) {
    checkNumberedSet(artwork::smiley, 18, {17, 17});
}

TEST(Artwork, DesktopIconsAreRenderedAtTheirSizes) {
    for (int size : {48, 256}) {
        const QImage icon(QString(LUDO_DATA_DIR "/icons/ludomyra-%1.png").arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }
}

// The sound clips: their names and the lengths in seconds the game is timed around.
struct ClipNeed {
    const char* name;
    double seconds;
};

const std::vector<ClipNeed> kClips = {
    {"BACKSPACE", 0.22},  {"BALLHIT", 0.01}, {"ENTERED", 0.79}, {"GAMEOVER", 1.06},
    {"RIGHTGUESS", 1.00}, {"TURN", 0.57},    {"TURNNEW", 0.43}, {"TYPING1", 0.10},
    {"WRONGGUESS", 0.13}, {"WAVE1", 0.33},   {"WAVE2", 0.63},   {"WAVE3", 0.71},
    {"WAVE4", 0.47},      {"WAVE5", 0.95},   {"WAVE6", 4.26},   {"WAVE7", 1.21},
    {"WAVE8", 0.61},      {"WAVE9", 0.79},   {"WAVE10", 1.76},  {"WAVE11", 2.14},
    {"WAVE12", 1.68},     {"WAVE13", 2.31},  {"WAVE14", 0.24},  {"WAVE15", 2.16},
    {"WAVE16", 2.74},     {"WAVE17", 4.10},  {"WAVE18", 0.97},  {"WAVE19", 1.96},
    {"WAVE20", 4.97},
};

struct Wave {
    bool riffWave = false;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<qint16> samples;
};

// Walks the RIFF chunks as a player would, so stray chunks or odd sizes show.
Wave readWave(const QByteArray& bytes) {
    Wave wave;
    wave.riffWave = bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE";
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    for (qsizetype at = 12; wave.riffWave && at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = qFromLittleEndian<quint32>(data + at + 4);
        const qsizetype body = at + 8;
        if (body + size > bytes.size())
            break;
        if (id == "fmt " && size >= 16) {
            wave.format = qFromLittleEndian<quint16>(data + body);
            wave.channels = qFromLittleEndian<quint16>(data + body + 2);
            wave.rate = int(qFromLittleEndian<quint32>(data + body + 4));
            wave.bits = qFromLittleEndian<quint16>(data + body + 14);
        } else if (id == "data") {
            for (qsizetype i = 0; i + 1 < size; i += 2)
                wave.samples.push_back(qFromLittleEndian<qint16>(data + body + i));
        }
        at = body + size + (size & 1);
    }
    return wave;
}

TEST(SoundClips, EveryClipIsMono16BitPcmOfItsLengthAndLevel) {
    QStringList names;
    for (const ClipNeed& need : kClips) {
        SCOPED_TRACE(need.name);
        names << need.name;
        const QString path = soundclips::resourcePath(need.name);
        ASSERT_FALSE(path.isEmpty());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const Wave wave = readWave(file.readAll());
        EXPECT_TRUE(wave.riffWave);
        EXPECT_EQ(wave.format, 1);
        EXPECT_EQ(wave.channels, 1);
        EXPECT_EQ(wave.rate, 22050);
        EXPECT_EQ(wave.bits, 16);
        ASSERT_FALSE(wave.samples.empty());
        const double seconds = double(wave.samples.size()) / 22050;
        EXPECT_NEAR(seconds, need.seconds, std::max(0.3 * need.seconds, 0.2));
        int peak = 0;
        for (qint16 s : wave.samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_NEAR(20 * std::log10(peak / 32768.0), -3.0, 0.5) << "peak " << peak;
        // Fades at both ends, so starting or cutting a clip does not click.
        EXPECT_LT(std::abs(int(wave.samples.front())), 330);
        EXPECT_LT(std::abs(int(wave.samples.back())), 330);
    }
    EXPECT_EQ(soundclips::allNames(), names);
}

TEST(SoundClips, NamesMatchWithoutCaseAndUnknownNamesGiveNothing) {
    EXPECT_EQ(soundclips::resourcePath("wave12"), soundclips::resourcePath("WAVE12"));
    EXPECT_EQ(soundclips::resourcePath("BallHit"), soundclips::resourcePath("BALLHIT"));
    EXPECT_FALSE(soundclips::resourcePath("ballhit").isEmpty());
    for (const char* unknown : {"", "wave0", "wave21", "ball hit", "typing2", "wave1.wav"})
        EXPECT_TRUE(soundclips::resourcePath(unknown).isEmpty()) << unknown;
}

} // namespace
