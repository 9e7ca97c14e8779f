#include "XlsxReader.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace XlsxReader {

QByteArray Entry(const QByteArray& zip, const QString& name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(zip.constData(), zip_uint64_t(zip.size()), 0, &error);
    if (!source)
        return {};
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        zip_source_free(source);
        return {};
    }
    QByteArray bytes;
    const QByteArray entryName = name.toUtf8();
    zip_stat_t stat;
    if (zip_stat(archive, entryName.constData(), 0, &stat) == 0) {
        if (zip_file_t* file = zip_fopen(archive, entryName.constData(), 0)) {
            bytes.resize(qsizetype(stat.size));
            const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
            bytes.resize(read < 0 ? 0 : qsizetype(read));
            zip_fclose(file);
        }
    }
    zip_close(archive);
    return bytes;
}

namespace {

QString decode(QString text)
{
    static const QRegularExpression escape(u"_x([0-9A-Fa-f]{4})_"_s);
    QString out;
    qsizetype at = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += text.mid(at, match.capturedStart() - at);
        out += QChar(char16_t(match.captured(1).toUShort(nullptr, 16)));
        at = match.capturedEnd();
    }
    return out + text.mid(at);
}

// "B12" -> column 1
int columnOf(const QString& ref)
{
    int column = 0;
    for (const QChar c : ref) {
        if (!c.isLetter())
            break;
        column = column * 26 + (c.toUpper().unicode() - u'A' + 1);
    }
    return column - 1;
}

} // namespace

QList<QStringList> Cells(const QByteArray& xlsx)
{
    QStringList shared;
    QXmlStreamReader strings(Entry(xlsx, u"xl/sharedStrings.xml"_s));
    while (!strings.atEnd()) {
        if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == u"si"_s) {
            QString text;
            while (!(strings.readNext() == QXmlStreamReader::EndElement && strings.name() == u"si"_s) &&
                   !strings.atEnd())
                if (strings.isStartElement() && strings.name() == u"t"_s)
                    text += strings.readElementText();
            shared.append(decode(text));
        }
    }
    QList<QStringList> rows;
    QXmlStreamReader sheet(Entry(xlsx, u"xl/worksheets/sheet1.xml"_s));
    QString type;
    int column = 0;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (!sheet.isStartElement())
            continue;
        if (sheet.name() == u"row"_s) {
            rows.append(QStringList());
        } else if (sheet.name() == u"c"_s) {
            type = sheet.attributes().value(u"t"_s).toString();
            column = columnOf(sheet.attributes().value(u"r"_s).toString());
        } else if ((sheet.name() == u"v"_s || sheet.name() == u"t"_s) && !rows.isEmpty()) {
            const QString value = sheet.readElementText();
            QStringList& row = rows.last();
            while (row.size() <= column)
                row.append(QString());
            row[column] = type == u"s"_s ? shared.value(value.toInt()) : decode(value);
        }
    }
    return rows;
}

} // namespace XlsxReader
