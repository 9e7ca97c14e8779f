#include "data/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

QByteArray trimmed(const QByteArray& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool isQuoted(const QByteArray& value)
{
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

// Values are trimmed on reading, as hand-edited files expect. A value that starts or ends with a
// blank (a scrambled password easily does) or that looks quoted is written in quotes, so it reads
// back unchanged.
QByteArray encodeValue(const QByteArray& value)
{
    if (!value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()) || isQuoted(value)))
        return '"' + value + '"';
    return value;
}

QByteArray decodeValue(const QByteArray& text)
{
    const QByteArray value = trimmed(text);
    return isQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

bool sameName(const QByteArray& stored, const QString& wanted)
{
    return QString::fromUtf8(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

} // namespace

bool TIniFile::Load(const QString& path, QString* error)
{
    m_sections.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = u"无法读取配置文件 %1: %2"_s.arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    Parse(file.readAll());
    return true;
}

void TIniFile::Parse(const QByteArray& data)
{
    m_sections.clear();
    m_sections.append(RSection{});
    QByteArray text = data;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArray content = trimmed(line);
        const qsizetype close = content.lastIndexOf(']');
        if (content.startsWith('[') && close > 0) {
            m_sections.append(RSection{trimmed(content.mid(1, close - 1)), true, line, {}});
            continue;
        }
        RLine entry{line, {}, {}};
        const qsizetype equals = line.indexOf('=');
        if (!content.startsWith(';') && !content.startsWith('#') && equals >= 0) {
            entry.Key = trimmed(line.left(equals));
            entry.Value = decodeValue(line.mid(equals + 1));
        }
        m_sections.last().Lines.append(entry);
    }
}

QByteArray TIniFile::ToBytes() const
{
    QByteArray out;
    for (const RSection& section : m_sections) {
        if (section.HasHeader)
            out += (section.Header.isEmpty() ? '[' + section.Name + ']' : section.Header) + '\n';
        for (const RLine& line : section.Lines) {
            const bool changedEntry = !line.Key.isEmpty() && line.Raw.isEmpty();
            out += (changedEntry ? line.Key + '=' + encodeValue(line.Value) : line.Raw) + '\n';
        }
    }
    return out;
}

bool TIniFile::isBlankLine(const RLine& line)
{
    return line.Key.isEmpty() && trimmed(line.Raw).isEmpty();
}

const TIniFile::RSection* TIniFile::findSection(const QString& name) const
{
    for (const RSection& section : m_sections) {
        if (section.HasHeader && sameName(section.Name, name))
            return &section;
    }
    return nullptr;
}

std::optional<QByteArray> TIniFile::Value(const QString& section, const QString& key) const
{
    if (const RSection* found = findSection(section)) {
        for (const RLine& line : found->Lines) {
            if (!line.Key.isEmpty() && sameName(line.Key, key))
                return line.Value;
        }
    }
    return std::nullopt;
}

QByteArray TIniFile::Value(const QString& section, const QString& key, const QByteArray& fallback) const
{
    return Value(section, key).value_or(fallback);
}

bool TIniFile::CanStore(const QByteArray& value)
{
    return !value.contains('\n') && !value.contains('\r');
}

void TIniFile::SetValue(const QString& section, const QString& key, const QByteArray& value)
{
    Q_ASSERT(CanStore(value));
    auto target = std::find_if(m_sections.begin(), m_sections.end(), [&section](const RSection& candidate) {
        return candidate.HasHeader && sameName(candidate.Name, section);
    });
    if (target == m_sections.end()) {
        if (m_sections.isEmpty())
            m_sections.append(RSection{});
        RSection& previous = m_sections.last();
        const bool hasText = previous.HasHeader || !previous.Lines.isEmpty();
        if (hasText && (previous.Lines.isEmpty() || !isBlankLine(previous.Lines.last())))
            previous.Lines.append(RLine{});
        m_sections.append(RSection{section.toUtf8(), true, {}, {}});
        target = m_sections.end() - 1;
    }
    for (RLine& line : target->Lines) {
        if (!line.Key.isEmpty() && sameName(line.Key, key)) {
            line.Raw.clear();
            line.Value = value;
            return;
        }
    }
    // New keys go after the section's last non-blank line, ahead of the blank line that separates it
    // from the next section.
    qsizetype at = target->Lines.size();
    while (at > 0 && isBlankLine(target->Lines[at - 1]))
        --at;
    target->Lines.insert(at, RLine{{}, key.toUtf8(), value});
}

bool TIniFile::Save(const QString& path, QString* error) const
{
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = u"无法写入配置文件 %1: %2"_s.arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(u"无法创建文件夹 %1"_s.arg(QDir::toNativeSeparators(folder)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // Restrict the new file before any secret is written into it.
    file.setPermissions(OwnerOnly);
    file.write(ToBytes());
    if (!file.commit())
        return fail(file.errorString());
    QFile::setPermissions(path, OwnerOnly);
    return true;
}
