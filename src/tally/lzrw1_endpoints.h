#pragma once

#include <QFile>
#include <QIODevice>
#include <QString>

// The input and output of one compressor call: either two caller-owned
// streams, or two files opened here. Holds the failure texts that name
// them, since files and streams are reported differently.
class Lzrw1Endpoints {
public:
    Lzrw1Endpoints(const QString& inputFile, const QString& outputFile);
    Lzrw1Endpoints(QIODevice* inStream, QIODevice* outStream);
    Lzrw1Endpoints(const Lzrw1Endpoints&) = delete;
    Lzrw1Endpoints& operator=(const Lzrw1Endpoints&) = delete;
    ~Lzrw1Endpoints();

    // Bytes from the input's current position to its end; throws the size
    // failure when that cannot be known or does not fit the 32-bit field.
    quint32 inputSize() const;
    void openInput();    // throws the input failure
    void createOutput(); // throws the output failure

    QIODevice& in() { return *in_; }
    QIODevice& out() { return *out_; }

    // Reads up to `size` bytes, fewer only at the input's end; throws
    // `readFailure` on an error.
    qint64 readUpTo(char* data, qint64 size, const QString& readFailure);
    // Reads exactly `size` bytes or throws the plain read failure.
    void readExactly(char* data, qint64 size);
    void writeAll(const char* data, qint64 size); // throws the write failure

    // Closes the files.
    void finish();
    // After a failure: closes the files and deletes the output file that
    // this call created (only ever a plain file, never a device).
    void discardOutput();

    // Failure texts.
    QString sizeFailure, inputFailure, outputFailure, readFailure, blockReadFailure, writeFailure,
        headerFailure;

private:
    const bool files_;
    QString inputFile_, outputFile_;
    QFile inFile_, outFile_;
    QIODevice* in_ = nullptr;
    QIODevice* out_ = nullptr;
};
