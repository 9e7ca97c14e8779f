#include "grids/HtmlWriter.h"

#include "data/LwDataSet.h"

using namespace Qt::StringLiterals;

QString THtmlWriter::Escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;"_s;
            break;
        case u'<':
            out += u"&lt;"_s;
            break;
        case u'>':
            out += u"&gt;"_s;
            break;
        case u'"':
            out += u"&quot;"_s;
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool THtmlWriter::Write(QIODevice* device, const TLwDataSet& set, const RExportColumns& columns)
{
    TBlockOutput out(device);
    out.Put(u"<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title></title>\r\n</head>\r\n<body>\r\n<table>\r\n"
            u"<tr>\r\n"_s);
    QString lines;
    for (const RExportColumn& column : columns)
        lines += u"<td nowrap>"_s + Escape(column.Caption) + u"&nbsp;</td>\r\n"_s;
    out.Put(lines + u"</tr>\r\n"_s);
    const QList<TField> fields = PlainFields(set, columns);
    const int rows = set.RecordCount();
    for (int row = 0; row < rows; ++row) {
        lines = u"<tr>\r\n"_s;
        for (qsizetype c = 0; c < columns.size(); ++c)
            lines += u"<td nowrap>"_s +
                     Escape(TLwDataSet::DisplayText(fields.at(c), set.CellValue(row, columns.at(c).Field))) +
                     u"&nbsp;</td>\r\n"_s;
        lines += u"</tr>\r\n"_s;
        if (!out.Put(lines))
            break;
    }
    out.Put(u"</table>\r\n</body>\r\n</html>\r\n"_s);
    if (!out.Flush()) {
        setError(out.ErrorString());
        return false;
    }
    return true;
}
