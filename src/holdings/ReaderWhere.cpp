#include "holdings/ReaderWhere.h"

using namespace Qt::StringLiterals;

namespace {

constexpr QChar kEscape = u'!';

// "like" with the one escape character both engines accept the same way; a backslash would depend
// on how the server reads string constants.
TWhereClause contains(const QString& field, const QString& column)
{
    return TWhereClause::MakeCustom(
        field, TFieldType::WideString, [column](const QVariant& value, TSearchText& search) {
            const QString text = value.toString();
            if (text.isEmpty())
                return QString();
            return u"%1 like %2 escape '!'"_s.arg(column, search.Bind(TReaderWhere::ContainsPattern(text)));
        });
}

// The keyword is looked for in eight columns; one bound pattern serves them all.
TWhereClause keyword()
{
    return TWhereClause::MakeCustom(
        u"Keyword"_s, TFieldType::WideString, [](const QVariant& value, TSearchText& search) {
            const QString text = value.toString();
            if (text.isEmpty())
                return QString();
            const QString p = search.Bind(TReaderWhere::ContainsPattern(text));
            QStringList parts;
            for (const char16_t* column :
                 {u"r.Code", u"r.Name", u"r.Tel", u"r.Ping", u"r.Address", u"r.IdCode", u"r.Dept", u"k.Name"})
                parts.append(u"%1 like %2 escape '!'"_s.arg(QString::fromUtf16(column), p));
            return u"("_s + parts.join(u" or "_s) + u")"_s;
        });
}

} // namespace

TReaderWhere::TReaderWhere()
    : TCustomWhere({
          TWhereClause::Integer(u"Id"_s, u"r.Id=?"_s),
          TWhereClause::Integer(u"KindId"_s, u"r.KindId=?"_s),
          TWhereClause::Text(u"Code"_s, u"r.Code=?"_s),
          contains(u"Name"_s, u"r.Name"_s),
          TWhereClause::Text(u"Ping"_s, u"r.Ping=?"_s),
          contains(u"Tel"_s, u"r.Tel"_s),
          contains(u"Address"_s, u"r.Address"_s),
          TWhereClause::Text(u"Sex"_s, u"r.Sex=?"_s),
          TWhereClause::Text(u"Dept"_s, u"r.Dept=?"_s),
          contains(u"IdCode"_s, u"r.IdCode"_s),
          TWhereClause::Integer(u"StateId"_s, u"r.StateId=?"_s),
          // a deposit never recorded counts as 0, as everywhere else the balance is read
          TWhereClause::Float(u"Deposit1"_s, u"coalesce(r.Deposit,0)>=?"_s),
          TWhereClause::Float(u"Deposit2"_s, u"coalesce(r.Deposit,0)<=?"_s),
          TWhereClause::Integer(u"Loaning1"_s, u"r.Loaning>=?"_s),
          TWhereClause::Integer(u"Loaning2"_s, u"r.Loaning<=?"_s),
          TWhereClause::Integer(u"Loanall1"_s, u"r.Loanall>=?"_s),
          TWhereClause::Integer(u"Loanall2"_s, u"r.Loanall<=?"_s),
          TWhereClause::Integer(u"Loanover1"_s, u"r.Loanover>=?"_s),
          TWhereClause::Integer(u"Loanover2"_s, u"r.Loanover<=?"_s),
          TWhereClause::DateFrom(u"Adddate1"_s, u"r.Adddate>=?"_s),
          TWhereClause::DateTo(u"Adddate2"_s, u"r.Adddate<?"_s),
          keyword(),
      })
{
}

QString TReaderWhere::ContainsPattern(const QString& text)
{
    QString pattern;
    pattern.reserve(text.size() + 4);
    pattern += u'%';
    for (const QChar c : text) {
        if (c == kEscape || c == u'%' || c == u'_')
            pattern += kEscape;
        pattern += c;
    }
    pattern += u'%';
    return pattern;
}
