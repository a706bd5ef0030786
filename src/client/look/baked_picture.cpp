#include "client/look/baked_picture.h"

#include <QtEndian>
#include <array>
#include <cstring>

namespace bakedpicture {

namespace {

constexpr char kMagic[4] = {'L', 'P', 'X', '1'};
constexpr int kHeaderBytes = 16;
constexpr int kMaxSide = 8192;

bool keptFormat(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

quint32 wordAt(const QByteArray& bytes, int index) {
    return qFromLittleEndian<quint32>(bytes.constData() + 4 * index);
}

} // namespace

QString fileName(const QString& name, int ratio) {
    return ratio == 2 ? name + "@2x.pixels" : name + ".pixels";
}

QByteArray encode(const QImage& image) {
    if (!keptFormat(image.format()) || image.isNull())
        return {};
    QByteArray bytes(kHeaderBytes, Qt::Uninitialized);
    std::memcpy(bytes.data(), kMagic, sizeof kMagic);
    const std::array<quint32, 3> header = {quint32(image.width()), quint32(image.height()),
                                           quint32(image.format())};
    for (int i = 0; i < 3; ++i)
        qToLittleEndian(header[i], bytes.data() + 4 * (i + 1));
    const qsizetype rowBytes = qsizetype(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    return bytes;
}

QImage decode(const QByteArray& bytes) {
    if (bytes.size() < kHeaderBytes || std::memcmp(bytes.constData(), kMagic, sizeof kMagic) != 0)
        return {};
    const quint32 width = wordAt(bytes, 1), height = wordAt(bytes, 2);
    const auto format = QImage::Format(wordAt(bytes, 3));
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || !keptFormat(format))
        return {};
    const qsizetype rowBytes = qsizetype(width) * 4;
    if (bytes.size() != kHeaderBytes + rowBytes * height)
        return {};
    QImage image(int(width), int(height), format);
    if (image.isNull())
        return {};
    for (int y = 0; y < int(height); ++y)
        std::memcpy(image.scanLine(y), bytes.constData() + kHeaderBytes + rowBytes * y, rowBytes);
    return image;
}

} // namespace bakedpicture
