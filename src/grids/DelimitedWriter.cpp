#include "grids/DelimitedWriter.h"

#include "data/LwDataSet.h"

#include <QIODevice>

using namespace Qt::StringLiterals;

TDelimitedWriter::TDelimitedWriter(QChar delimiter) : m_delimiter(delimiter) {}

QString TDelimitedWriter::Item(const QString& text) const
{
    if (m_delimiter == u'\t') {
        bool plain = true;
        for (const QChar c : text)
            if (c == u'\t' || c == u'\r' || c == u'\n') {
                plain = false;
                break;
            }
        if (plain)
            return text;
        QString item = text;
        item.replace(u"\r\n"_s, u" "_s);
        for (QChar& c : item)
            if (c == u'\t' || c == u'\r' || c == u'\n')
                c = u' ';
        return item;
    }
    bool quote = false;
    for (const QChar c : text)
        if (c == m_delimiter || c == u'"' || c == u'\r' || c == u'\n') {
            quote = true;
            break;
        }
    if (!quote)
        return text;
    QString item = text;
    item.replace(u"\""_s, u"\"\""_s);
    return u'"' + item + u'"';
}

bool TDelimitedWriter::Write(QIODevice* device, const TLwDataSet& set, const RExportColumns& columns)
{
    TBlockOutput out(device);
    out.PutBytes(QByteArrayLiteral("\xEF\xBB\xBF"));
    QString line;
    for (const RExportColumn& column : columns)
        line += Item(column.Caption) + m_delimiter;
    out.Put(line + u"\r\n"_s);
    const QList<TField> fields = PlainFields(set, columns);
    const int rows = set.RecordCount();
    for (int row = 0; row < rows; ++row) {
        line.clear();
        for (qsizetype c = 0; c < columns.size(); ++c)
            line += Item(TLwDataSet::DisplayText(fields.at(c), set.CellValue(row, columns.at(c).Field))) + m_delimiter;
        line += u"\r\n"_s;
        if (!out.Put(line))
            break;
    }
    if (!out.Flush()) {
        setError(out.ErrorString());
        return false;
    }
    return true;
}
