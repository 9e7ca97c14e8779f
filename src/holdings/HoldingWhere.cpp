#include "holdings/HoldingWhere.h"

#include <cmath>

using namespace Qt::StringLiterals;

THoldingWhere::THoldingWhere(QList<TWhereClause> clauses) : TCustomWhere(std::move(clauses)) {}

QString THoldingWhere::EscapeLike(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == LikeEscape)
            out += LikeEscape;
        out += c;
    }
    return out;
}

QString THoldingWhere::Like(const QString& column)
{
    return column + u" like ? escape '!'"_s;
}

TWhereClause THoldingWhere::Contains(const QString& field, const QString& sql, int size)
{
    TWhereClause clause =
        TWhereClause::MakeCustom(field, TFieldType::WideString, [sql](const QVariant& value, TSearchText& search) {
            const QString pattern = u"%"_s + EscapeLike(value.toString()) + u"%"_s;
            QString out;
            for (const QChar c : sql)
                out += c == u'?' ? search.Bind(pattern) : QString(c);
            return out;
        });
    clause.Size = size;
    return clause;
}

TWhereClause THoldingWhere::Price(const QString& field, const QString& sql)
{
    return TWhereClause::MakeCustom(field, TFieldType::Float, [sql](const QVariant& value, TSearchText& search) {
        // Half a cent rounds up, as the operator reads 12.345 (stored as 12.34499...) on screen.
        const double v = value.toDouble();
        const double cents = std::round(v * 100.0 + (v >= 0 ? 1e-7 : -1e-7));
        QString out = sql;
        return out.replace(u'?', search.Bind(cents / 100.0));
    });
}
