#include "grids/GridLayout.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

struct TLine
{
    QString Name;
    QString Value;
};

// The lines of a layout text as name=value pairs; CR, LF and CR LF all end a line. A line without
// "=" has an empty name, so it never matches a column.
QList<TLine> splitLines(const QString& text)
{
    static const QRegularExpression breaks(u"\r\n|\r|\n"_s);
    QStringList raw = text.split(breaks);
    // the text ends with a line break; that leaves no line of its own
    if (!raw.isEmpty() && raw.last().isEmpty())
        raw.removeLast();
    QList<TLine> lines;
    lines.reserve(raw.size());
    for (const QString& line : std::as_const(raw)) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            lines.append({QString(), QString()});
        else
            lines.append({line.left(eq), line.mid(eq + 1)});
    }
    return lines;
}

} // namespace

QString TGridLayout::Text(const TGridColumns& columns)
{
    QString text;
    for (const TGridColumn& column : columns)
        text += column.FieldName + u'=' + (column.Visible ? u"True"_s : u"False"_s) + QString::number(column.Width) +
                u"\r\n"_s;
    return text;
}

bool TGridLayout::Apply(TGridColumns& columns, const QString& text)
{
    if (text.isEmpty())
        return true;
    const QList<TLine> lines = splitLines(text);

    for (TGridColumn& column : columns) {
        // the first line of that name counts, whatever the letter case
        QString value;
        for (const TLine& line : lines)
            if (!line.Name.isEmpty() && line.Name.compare(column.FieldName, Qt::CaseInsensitive) == 0) {
                value = line.Value;
                break;
            }
        if (value.isEmpty())
            continue;
        column.Visible = value.contains(u"True"_s);
        value.remove(u"True"_s, Qt::CaseInsensitive);
        value.remove(u"False"_s, Qt::CaseInsensitive);
        bool ok = false;
        const int width = value.trimmed().toInt(&ok);
        if (!ok || width < 0)
            return false;
        column.Width = std::min(width, MaxWidth);
    }

    // From the last line to the first, so the first line's column ends up first.
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QString& name = lines.at(i).Name;
        if (name.isEmpty())
            continue;
        qsizetype from = -1;
        for (qsizetype c = 0; c < columns.size(); ++c)
            if (columns.at(c).FieldName == name) {
                from = c;
                break;
            }
        if (from < 0)
            continue;
        // a text listing more lines than the grid has columns moves that column to the end
        const qsizetype to = std::min(i, columns.size() - 1);
        if (from != to)
            columns.move(from, to);
    }
    return true;
}
