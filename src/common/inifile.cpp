#include "common/inifile.h"

#include "common/private_file.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextStream>

// Older files, and files edited with Windows tools, are Windows-1252: text
// that is not valid UTF-8 is read as that, and written back as UTF-8.
static QString decodeProfileText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    static constexpr char16_t kHighControls[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    text.clear();
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text += QChar(code >= 0x80 && code < 0xA0 ? kHighControls[code - 0x80] : char16_t(code));
    }
    return text;
}

IniFile::IniFile(QString path) : path_(std::move(path)) {}

bool IniFile::load() {
    lines_.clear();
    QFile file(path_);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = decodeProfileText(file.readAll());
    // CR LF, LF and a lone CR each end a line; the writer keeps no CR in a
    // value, so a value read and written back comes back the same.
    lines_ = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
    return true;
}

// The settings hold the seat's rejoin key: the file is the owner's alone.
bool IniFile::save() const {
    QByteArray out;
    for (const QString& line : lines_)
        out += line.toUtf8() + "\r\n";
    return privatefile::write(path_, out);
}

static bool isSectionHeader(const QString& trimmed) {
    return trimmed.startsWith('[') && trimmed.contains(']');
}

static QString sectionName(const QString& trimmed) {
    return trimmed.mid(1, trimmed.indexOf(']') - 1).trimmed();
}

int IniFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const QString trimmed = lines_[i].trimmed();
        if (isSectionHeader(trimmed) &&
            sectionName(trimmed).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int header) const {
    int end = header + 1;
    int afterLastEntry = end;
    for (; end < lines_.size(); ++end) {
        const QString trimmed = lines_[end].trimmed();
        if (isSectionHeader(trimmed))
            break;
        if (!trimmed.isEmpty())
            afterLastEntry = end + 1;
    }
    return afterLastEntry;
}

int IniFile::findKey(int header, const QString& key) const {
    for (int i = header + 1; i < lines_.size(); ++i) {
        const QString& line = lines_[i];
        if (isSectionHeader(line.trimmed()))
            return -1;
        const int eq = line.indexOf('=');
        if (eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    const QString& text = lines_[line];
    return text.mid(text.indexOf('=') + 1).trimmed();
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& fallback) const {
    return value(section, key).value_or(fallback);
}

std::optional<int> IniFile::parseInteger(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    int result = 0;
    if (t.startsWith('$'))
        result = static_cast<int>(t.mid(1).toUInt(&ok, 16));
    else if (t.startsWith("0x", Qt::CaseInsensitive))
        result = static_cast<int>(t.mid(2).toUInt(&ok, 16));
    else
        result = t.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return result;
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const {
    const auto text = value(section, key);
    if (!text)
        return fallback;
    return parseInteger(*text).value_or(fallback);
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    // A line break in a value would start a line of its own on the next read.
    QString flat = value;
    flat.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString entry = key + '=' + flat;
    int header = findSection(section);
    if (header < 0) {
        lines_.append('[' + section + ']');
        lines_.append(entry);
        return;
    }
    const int line = findKey(header, key);
    if (line >= 0)
        lines_[line] = entry;
    else
        lines_.insert(sectionEnd(header), entry);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}
