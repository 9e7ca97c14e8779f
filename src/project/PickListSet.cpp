#include "project/PickListSet.h"

#include "data/DBParameter.h"
#include "data/RowWriter.h"

using namespace Qt::StringLiterals;

namespace {

constexpr QChar kDelimiter = u',';
constexpr QChar kQuote = u'"';

// Spaces and the control characters separate unquoted items, as in any comma text.
bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

bool needsQuotes(const QString& item)
{
    for (const QChar c : item)
        if (c.unicode() <= 32 || c == kQuote || c == kDelimiter)
            return true;
    return false;
}

} // namespace

TPickListSet::TPickListSet(QObject* owner) : TRecordSet(owner)
{
    AddField(TFieldType::Integer, u"Key"_s, -1, true, QString());
    AddField(TFieldType::WideString, u"Label"_s, 50, true, QString());
    AddField(TFieldType::Memo, u"List"_s, -1, true, QString());
}

bool TPickListSet::LoadList(int key, QString& list)
{
    TRecordSet& shared = SharedRecordSet();
    const int rows = shared.Open(u"select Key, Label, List from options where Key=:Key"_s, {MakeParam(u"Key"_s, key)});
    list = rows > 0 ? shared.DataSet()->AsString(u"List"_s) : QString();
    shared.Close();
    return rows == 1;
}

bool TPickListSet::SaveList(int key, const QString& list)
{
    // The label carries no caption; a single space keeps it from being empty on either engine.
    return TRowWriter::UpdateOrInsert(
        u"update options set Label=:Label, List=:List where Key=:Key"_s,
        u"insert into options(Label, List, Key)values(:Label, :List, :Key)"_s,
        {MakeParam(u"Label"_s, u" "_s), MakeParam(u"List"_s, list), MakeParam(u"Key"_s, key)});
}

bool TPickListSet::LoadItems(int key, QStringList& items)
{
    QString list;
    const bool found = LoadList(key, list);
    items = CommaTextItems(list);
    return found;
}

bool TPickListSet::SaveItems(int key, const QStringList& items)
{
    return SaveList(key, CommaText(items));
}

QString TPickListSet::CommaText(const QStringList& items)
{
    // Without the quotes a single empty item would read back as no item at all.
    if (items.size() == 1 && items.first().isEmpty())
        return u"\"\""_s;
    QString text;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += kDelimiter;
        const QString& item = items.at(i);
        if (needsQuotes(item)) {
            text += kQuote;
            text += QString(item).replace(kQuote, u"\"\""_s);
            text += kQuote;
        } else {
            text += item;
        }
    }
    return text;
}

QStringList TPickListSet::CommaTextItems(const QString& text)
{
    QStringList items;
    const qsizetype size = text.size();
    qsizetype p = 0;
    while (p < size && isBlank(text.at(p)))
        ++p;
    while (p < size) {
        QString item;
        if (text.at(p) == kQuote) {
            // A quoted item runs to the next single quote; a doubled quote is one quote of the item.
            // An unclosed quote takes the rest of the text.
            ++p;
            while (p < size) {
                if (text.at(p) == kQuote) {
                    if (p + 1 < size && text.at(p + 1) == kQuote) {
                        item += kQuote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text.at(p++);
            }
        } else {
            const qsizetype start = p;
            while (p < size && !isBlank(text.at(p)) && text.at(p) != kDelimiter)
                ++p;
            item = text.mid(start, p - start);
        }
        items.append(item);
        while (p < size && isBlank(text.at(p)))
            ++p;
        if (p < size && text.at(p) == kDelimiter) {
            // A delimiter at the very end still closes an (empty) item.
            if (p + 1 == size)
                items.append(QString());
            ++p;
            while (p < size && isBlank(text.at(p)))
                ++p;
        }
    }
    return items;
}
