#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// An INI file kept as raw bytes. Values are never re-encoded, so scrambled values (which need not be
// valid UTF-8) come back byte for byte; sections and keys keep their order, and lines the program
// does not change (comments, keys of other parts) are written back as they were. Section and key
// names compare without regard to letter case, and the first occurrence wins.
class TIniFile
{
public:
    // Reads `path`. A missing file gives an empty object and true; a file that exists but cannot be
    // read gives an empty object and false, so a caller about to write can refuse to clobber it.
    bool Load(const QString& path, QString* error = nullptr);
    void Parse(const QByteArray& data);
    QByteArray ToBytes() const;

    std::optional<QByteArray> Value(const QString& section, const QString& key) const;
    QByteArray Value(const QString& section, const QString& key, const QByteArray& fallback) const;
    // Changes the key in place, or adds it after the last line of its section, or adds the section
    // at the end. A value holding a line break cannot be stored: check with CanStore first.
    void SetValue(const QString& section, const QString& key, const QByteArray& value);
    static bool CanStore(const QByteArray& value);

    // Replaces `path` atomically with mode 0600 (the file holds passwords), creating its folder.
    bool Save(const QString& path, QString* error = nullptr) const;

private:
    struct RLine
    {
        QByteArray Raw;   // the line as read; empty for a changed or new entry
        QByteArray Key;   // empty for comments, blank lines and anything else that is not an entry
        QByteArray Value; // unquoted
    };
    struct RSection
    {
        QByteArray Name;
        bool HasHeader = false; // false only for the lines before the first section header
        QByteArray Header;
        QList<RLine> Lines;
    };

    static bool isBlankLine(const RLine& line);
    const RSection* findSection(const QString& name) const;

    QList<RSection> m_sections;
};
