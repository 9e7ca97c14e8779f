#include "grids/SortText.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// Words of one item; quotes keep blanks inside a word and are dropped.
QStringList words(QStringView item)
{
    QStringList out;
    QString word;
    QChar quote;
    bool inWord = false;
    for (const QChar c : item) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                word += c;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                out.append(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        out.append(word);
    return out;
}

// Items of a text, split at commas outside quotes.
QList<QStringView> items(QStringView text)
{
    QList<QStringView> out;
    QChar quote;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u',') {
            out.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    out.append(text.mid(start));
    return out;
}

} // namespace

QString TSortText::FromMarkers(const RSortItems& items)
{
    QString text;
    for (const RSortItem& item : items)
        text += item.Field + (item.Descending ? u" DESC , "_s : u", "_s);
    text.chop(2);
    return text;
}

QString TSortText::Join(const RSortItems& items)
{
    QStringList parts;
    for (const RSortItem& item : items)
        parts.append(item.Field + (item.Descending ? u" DESC"_s : u" ASC"_s));
    return parts.join(u',');
}

RSortItems TSortText::Parse(const QString& text)
{
    RSortItems result;
    for (const QStringView item : items(text)) {
        QStringList parts = words(item);
        if (parts.isEmpty())
            continue;
        bool descending = false;
        const QString last = parts.last().toUpper();
        if (last == u"DESC"_s || last == u"ASC"_s) {
            descending = last == u"DESC"_s;
            parts.removeLast();
        }
        if (parts.isEmpty())
            continue;
        result.append({parts.join(u' '), descending});
    }
    return result;
}
