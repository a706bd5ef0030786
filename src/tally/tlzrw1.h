#pragma once

#include "tally/lzrw1_errors.h"
#include "tally/lzrw1kh.h"

#include <QIODevice>
#include <QObject>
#include <QString>
#include <memory>

class Lzrw1Endpoints;
class Lzrw1Buffers;

// Compresses one file (or stream) into another in the "WRZL" container of
// LZRW1/KH blocks, and expands it again. Every failure raises
// ELzrw1Exception; a failed call leaves no output file behind. When Visible
// it reports progress through Caption; between blocks it lets the event
// loop run, so a caller must not start a second call meanwhile (one that
// tries is refused).
class Tlzrw1 : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool UseStream READ useStream WRITE setUseStream)
    Q_PROPERTY(QString InputFile READ inputFile WRITE setInputFile)
    Q_PROPERTY(QString OutputFile READ outputFile WRITE setOutputFile)
    Q_PROPERTY(TCompressMode CompressMode READ compressMode WRITE setCompressMode)
    Q_PROPERTY(int Threshold READ threshold WRITE setThreshold)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
    Q_PROPERTY(QString Caption READ caption NOTIFY captionChanged)

public:
    // Good (LZHUF, "!HZL") is not built: Compress refuses it, and Decompress
    // refuses such files, with a message that says so.
    enum TCompressMode { Good = 0, Fast = 1, Auto = 2 };
    Q_ENUM(TCompressMode)

    explicit Tlzrw1(QObject* parent = nullptr); // throws ELzrw1KHCompressor
    ~Tlzrw1() override;

    bool useStream() const { return useStream_; }
    void setUseStream(bool on) { useStream_ = on; }
    QString inputFile() const { return inputFile_; }
    void setInputFile(const QString& name) { inputFile_ = name; }
    QString outputFile() const { return outputFile_; }
    void setOutputFile(const QString& name) { outputFile_ = name; }
    TCompressMode compressMode() const { return compressMode_; }
    void setCompressMode(TCompressMode mode) { compressMode_ = mode; }
    int threshold() const { return threshold_; }
    void setThreshold(int percent) { threshold_ = percent; }
    bool isVisible() const { return visible_; }
    void setVisible(bool on) { visible_ = on; }
    QString caption() const { return caption_; }

    // The streams used when UseStream is on; the caller owns them and opens
    // them. Input is read from its current position.
    void setInputStream(QIODevice* stream) { inStream_ = stream; }
    void setOutputStream(QIODevice* stream) { outStream_ = stream; }

    // Each returns the number of bytes written, container header included.
    qint64 Compress();
    qint64 Decompress();
    // True when Fast is recommended; sets CompressMode to Good for small inputs.
    bool Advise();

signals:
    void captionChanged(const QString& caption);

private:
    class BusyGuard;

    std::unique_ptr<Lzrw1Endpoints> endpoints() const;
    bool adviseOn(Lzrw1Endpoints& io);
    qint64 compressInto(Lzrw1Endpoints& io, quint32 size, Lzrw1Buffers& buffers);
    qint64 expandInto(Lzrw1Endpoints& io, Lzrw1Buffers& buffers);
    void showProgress(qint64 bytesIn, qint64 bytesOut);
    void showResult(const QString& verb, qint64 bytesIn, qint64 bytesOut);
    void setCaption(const QString& text);

    bool useStream_ = false;
    QString inputFile_;
    QString outputFile_;
    TCompressMode compressMode_ = Good;
    int threshold_ = 40;
    bool visible_ = false;
    QString caption_;
    QIODevice* inStream_ = nullptr;
    QIODevice* outStream_ = nullptr;
    bool busy_ = false;
    Lzrw1KHCompressor compressor_;
};
