#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures rendered while building, kept as ready pixels: a 16-byte header
// ("LPX1", then width, height and QImage format as little-endian 32-bit
// numbers) and the rows, 4 bytes a pixel in this machine's order (the build
// makes them for the machine it builds for).
namespace bakedpicture {

// "NAME.pixels" at ratio 1, "NAME@2x.pixels" at ratio 2.
QString fileName(const QString& name, int ratio);

// Only 32-bit RGB32 and premultiplied ARGB32 images are kept.
QByteArray encode(const QImage& image);

// A null image when the bytes are not a whole picture of that layout.
QImage decode(const QByteArray& bytes);

} // namespace bakedpicture
