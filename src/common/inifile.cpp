#include "common/inifile.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

IniFile::IniFile(QString path) : path_(std::move(path)) {}

bool IniFile::load() {
    lines_.clear();
    QFile file(path_);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(file.readAll());
    lines_ = text.split('\n');
    for (QString& line : lines_) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
    return true;
}

bool IniFile::save() const {
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray out;
    for (const QString& line : lines_)
        out += line.toUtf8() + "\r\n";
    file.write(out);
    return file.commit();
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
    const QString entry = key + '=' + value;
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
