#pragma once

#include "tally/tlzrw1.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QString>

// Small helpers shared by the tally tests.
namespace tallytest {

// "57 52 5A 4C" -> the four bytes.
inline QByteArray bytes(const char* hexWithSpaces) {
    return QByteArray::fromHex(QByteArray(hexWithSpaces).replace(' ', ""));
}

inline QByteArray repeated(char byte, int count) {
    return QByteArray(count, byte);
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

// Runs the component over two memory buffers.
inline QByteArray viaStreams(const QByteArray& input, bool compress) {
    QBuffer in;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    Tlzrw1 component;
    component.setCompressMode(Tlzrw1::Fast);
    component.setUseStream(true);
    component.setInputStream(&in);
    component.setOutputStream(&out);
    if (compress)
        component.Compress();
    else
        component.Decompress();
    return out.data();
}

inline QByteArray compressed(const QByteArray& input) {
    return viaStreams(input, true);
}

inline QByteArray expanded(const QByteArray& container) {
    return viaStreams(container, false);
}

} // namespace tallytest
