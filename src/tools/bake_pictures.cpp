// bake_pictures: a build step. Renders each SVG picture at its natural size,
// once at 1x and once at 2x, into ready pixels ("NAME.pixels",
// "NAME@2x.pixels", in the layout of client/look/baked_picture.h), and lists the
// natural sizes in "sizes". The game then copies pixels at start-up instead
// of drawing every SVG itself; the resource compiler compresses them.
// Usage: bake_pictures OUTPUT_FOLDER PICTURE.svg...
#include "client/look/baked_picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool isOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(pixels[x]) != 255)
                return false;
    }
    return true;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "bake_pictures: cannot write %s\n", qPrintable(path));
    return false;
}

// Appends "NAME WIDTH HEIGHT" to sizes.
bool bake(const QString& svgPath, const QDir& output, QByteArray& sizes) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid() || renderer.defaultSize().isEmpty()) {
        std::fprintf(stderr, "bake_pictures: %s is not a picture\n", qPrintable(svgPath));
        return false;
    }
    const QString name = QFileInfo(svgPath).completeBaseName();
    for (const int ratio : {1, 2}) {
        QImage image(renderer.defaultSize() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            renderer.render(&painter);
        }
        if (isOpaque(image))
            image = image.convertToFormat(QImage::Format_RGB32); // drawn by copying, not blending
        if (!write(output.filePath(bakedpicture::fileName(name, ratio)),
                   bakedpicture::encode(image)))
            return false;
    }
    sizes += QStringLiteral("%1 %2 %3\n")
                 .arg(name)
                 .arg(renderer.defaultSize().width())
                 .arg(renderer.defaultSize().height())
                 .toUtf8();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // the pictures' text needs fonts
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: bake_pictures OUTPUT_FOLDER PICTURE.svg...\n");
        return 2;
    }
    const QDir output(arguments.at(1));
    if (!output.exists() && !QDir().mkpath(output.path())) {
        std::fprintf(stderr, "bake_pictures: cannot make %s\n", qPrintable(output.path()));
        return 1;
    }
    QByteArray sizes;
    for (const QString& svg : arguments.mid(2))
        if (!bake(svg, output, sizes))
            return 1;
    return write(output.filePath("sizes"), sizes) ? 0 : 1;
}
