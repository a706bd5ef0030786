#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A classic profile file: "[Section]" lines and "Key=Value" lines. Sections
// and keys match without regard to case; a value is the raw text after "="
// to the end of its line (only surrounding blanks are trimmed), so commas and
// quotes survive. Every other line, section and key is kept as it was.
class IniFile {
public:
    explicit IniFile(QString path);

    // Reads the whole file; a missing file reads as empty. False only when
    // the file exists but cannot be read.
    bool load();
    // Writes the file back (via a temporary file and rename), readable by
    // its owner only.
    bool save() const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal, "$" + hex or "0x" + hex; a missing or unreadable value gives fallback.
    int readInteger(const QString& section, const QString& key, int fallback) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

    const QString& path() const { return path_; }

    // Parses a profile integer; nullopt when it is not one.
    static std::optional<int> parseInteger(const QString& text);

private:
    int findSection(const QString& section) const; // line index of the header, or -1
    int sectionEnd(int header) const;              // index after the section's last line
    int findKey(int header, const QString& key) const;

    QString path_;
    QStringList lines_;
};
