#include "tally/lzrw1_endpoints.h"

#include "common/private_file.h"
#include "tally/lzrw1_errors.h"

#include <QFileInfo>
#include <filesystem>
#include <limits>
#include <system_error>

namespace {

constexpr qint64 kMaxSize = std::numeric_limits<quint32>::max();

std::filesystem::path nativePath(const QString& name) {
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

// True when both names lead to one existing file (links included):
// truncating the output would then destroy the input.
bool sameFile(const QString& a, const QString& b) {
    std::error_code error;
    return std::filesystem::equivalent(nativePath(a), nativePath(b), error) && !error;
}

} // namespace

Lzrw1Endpoints::Lzrw1Endpoints(const QString& inputFile, const QString& outputFile)
    : sizeFailure("Lzrw1 compression : Failed to obtain the size of : " + inputFile),
      inputFailure("Lzrw1 (de)compression : Failed to open input file : " + inputFile),
      outputFailure("Lzrw1 (de)compression : Failed to open output file : " + outputFile),
      readFailure("Lzrw1 : Error reading from input file : " + inputFile),
      blockReadFailure("Lzrw1 : Error reading from input file : " + inputFile + " (LZRW1/KH)"),
      writeFailure("Lzrw1 : Error writing to output file : " + outputFile),
      headerFailure(inputFile + " : Lzrw1 decompression : this file has no valid header !"),
      files_(true), inputFile_(inputFile), outputFile_(outputFile) {}

Lzrw1Endpoints::Lzrw1Endpoints(QIODevice* inStream, QIODevice* outStream)
    : sizeFailure("Lzrw1 compression : Failed to obtain the size of the input stream !"),
      inputFailure("Lzrw1 (de)compression : Failed to initialize input stream !"),
      outputFailure("Lzrw1 (de)compression : Failed to initialize output stream !"),
      readFailure("Lzrw1 : Error reading from input stream !"),
      blockReadFailure("Lzrw1 : Error reading from input stream ! (LZRW1/KH)"),
      writeFailure("Lzrw1 : Error writing to output stream !"),
      headerFailure("Lzrw1 decompression : input stream contains no valid header !"), files_(false),
      in_(inStream), out_(outStream) {}

Lzrw1Endpoints::~Lzrw1Endpoints() = default;

quint32 Lzrw1Endpoints::inputSize() const {
    qint64 size = -1;
    if (files_) {
        const QFileInfo info(inputFile_);
        if (info.exists() && !info.isDir())
            size = info.size();
    } else if (in_ && !in_->isSequential()) {
        size = in_->size() - in_->pos();
    }
    if (size < 0 || size > kMaxSize)
        throw ELzrw1Exception(sizeFailure);
    return static_cast<quint32>(size);
}

void Lzrw1Endpoints::openInput() {
    if (files_) {
        if (inFile_.isOpen()) // already opened to be sampled
            return;
        inFile_.setFileName(inputFile_);
        if (!inFile_.open(QIODevice::ReadOnly))
            throw ELzrw1Exception(inputFailure);
        in_ = &inFile_;
    } else if (!in_ || !in_->isReadable()) {
        throw ELzrw1Exception(inputFailure);
    }
}

void Lzrw1Endpoints::createOutput() {
    if (!files_) {
        if (!out_ || !out_->isWritable())
            throw ELzrw1Exception(outputFailure);
        return;
    }
    if (sameFile(inputFile_, outputFile_))
        throw ELzrw1Exception(outputFailure);
    outFile_.setFileName(outputFile_);
    // A tally or its text: the owner's alone, also when an older file is overwritten.
    if (!outFile_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw ELzrw1Exception(outputFailure);
    privatefile::narrow(outFile_.handle());
    out_ = &outFile_;
}

qint64 Lzrw1Endpoints::readUpTo(char* data, qint64 size, const QString& failure) {
    qint64 got = 0;
    while (got < size) {
        const qint64 n = in_->read(data + got, size - got);
        if (n < 0)
            throw ELzrw1Exception(failure);
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

void Lzrw1Endpoints::readExactly(char* data, qint64 size) {
    if (readUpTo(data, size, readFailure) != size)
        throw ELzrw1Exception(readFailure);
}

void Lzrw1Endpoints::writeAll(const char* data, qint64 size) {
    if (out_->write(data, size) != size)
        throw ELzrw1Exception(writeFailure);
}

void Lzrw1Endpoints::finish() {
    inFile_.close();
    outFile_.close();
}

void Lzrw1Endpoints::discardOutput() {
    const bool created = outFile_.isOpen();
    finish();
    if (created && QFileInfo(outputFile_).isFile())
        QFile::remove(outputFile_);
}
