#include "tally/tallyfile.h"

#include "common/private_file.h"
#include "tally/tlzrw1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path nativePath(const QString& name) {
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

// A temporary file for the tally's text, in the system's temporary folder;
// like every temporary file, its owner's alone.
bool openTextFile(QTemporaryFile& file) {
    file.setFileTemplate(QDir::temp().filePath("ludomyra-tally-XXXXXX.txt"));
    return file.open();
}

} // namespace

TallyFile::TallyFile(QString path, Tlzrw1& compressor)
    : path_(std::move(path)), compressor_(compressor) {}

TallyFile::~TallyFile() = default;

TallyFile::Reading TallyFile::read() {
    if (!QFileInfo::exists(path_))
        return {TallyGrid(), {}};
    QTemporaryFile text;
    if (!openTextFile(text))
        return {std::nullopt,
                "Lzrw1 (de)compression : Failed to open output file : " + text.fileTemplate()};
    text.close();
    try {
        compressor_.setUseStream(false);
        compressor_.setInputFile(path_);
        compressor_.setOutputFile(text.fileName());
        compressor_.Decompress();
    } catch (const ELzrw1Exception& failure) {
        return {std::nullopt, failure.message()};
    }
    QFile expanded(text.fileName());
    if (expanded.open(QIODevice::ReadOnly))
        if (std::optional<TallyGrid> grid = TallyGrid::fromText(expanded.readAll()))
            return {std::move(grid), {}};
    return {std::nullopt, path_ + " : this file does not hold a readable tally !"};
}

TallyGrid TallyFile::load(QString* message) {
    Reading reading = read();
    if (reading.grid)
        return *reading.grid;
    QString text = reading.failure;
    std::error_code error;
    std::filesystem::rename(nativePath(path_), nativePath(badPath()), error);
    if (!error)
        text += "\nThe tally was kept as " + badPath() + " and a new tally was started.";
    if (message)
        *message = text;
    return TallyGrid();
}

bool TallyFile::save(const TallyGrid& grid) {
    QTemporaryFile text;
    if (!openTextFile(text))
        return false;
    const QByteArray content = grid.toText();
    const bool written = text.write(content) == content.size() && text.flush();
    text.close();
    // Who plays whom is private: the new tally is its owner's alone.
    privatefile::Replacement container(path_);
    if (!written || !container.open())
        return false;
    try {
        writeContainer(text.fileName(), container.file().fileName());
    } catch (const ELzrw1Exception&) {
        return false;
    }
    return container.commit();
}

void TallyFile::writeContainer(const QString& textPath, const QString& containerPath) {
    compressor_.setUseStream(false);
    compressor_.setCompressMode(Tlzrw1::Fast);
    compressor_.setInputFile(textPath);
    compressor_.setOutputFile(containerPath);
    compressor_.Compress();
}
