#include "data/CustomWhere.h"

using namespace Qt::StringLiterals;

namespace {

TWhereClause make(const QString& field, TClauseKind kind, const QString& sql, int size = 50)
{
    TWhereClause clause;
    clause.Field = field;
    clause.Kind = kind;
    clause.SqlFragment = sql;
    clause.Size = size;
    return clause;
}

TFieldType fieldTypeOf(const TWhereClause& clause)
{
    switch (clause.Kind) {
    case TClauseKind::Integer:
        return TFieldType::Integer;
    case TClauseKind::Float:
        return TFieldType::Float;
    case TClauseKind::DateFrom:
    case TClauseKind::DateTo:
    case TClauseKind::Day:
        return TFieldType::DateTime;
    case TClauseKind::Flag:
        return TFieldType::Boolean;
    case TClauseKind::Custom:
        return clause.CustomType;
    default:
        return TFieldType::WideString;
    }
}

// Puts one bound placeholder in place of each "?" of the fragment.
QString fill(const QString& fragment, TSearchText& search, const QVariantList& values)
{
    QString out;
    qsizetype next = 0;
    for (const QChar c : fragment) {
        if (c == u'?' && next < values.size())
            out += search.Bind(values.at(next++));
        else
            out += c;
    }
    return out;
}

} // namespace

QString TSearchText::Bind(const QVariant& value)
{
    const QString name = u"w_%1"_s.arg(Params.size() + 1);
    Params.append(MakeParam(name, value));
    return u":"_s + name;
}

TWhereClause TWhereClause::Text(const QString& field, const QString& sql, int size)
{
    return make(field, TClauseKind::Text, sql, size);
}

TWhereClause TWhereClause::Contains(const QString& field, const QString& sql, int size)
{
    return make(field, TClauseKind::Contains, sql, size);
}

TWhereClause TWhereClause::StartsWith(const QString& field, const QString& sql, int size)
{
    return make(field, TClauseKind::StartsWith, sql, size);
}

TWhereClause TWhereClause::ClassCode(const QString& field, const QString& sql, const QString& nullSql)
{
    TWhereClause clause = make(field, TClauseKind::ClassCode, sql);
    clause.FalseFragment = nullSql;
    return clause;
}

TWhereClause TWhereClause::Integer(const QString& field, const QString& sql)
{
    return make(field, TClauseKind::Integer, sql);
}

TWhereClause TWhereClause::Float(const QString& field, const QString& sql)
{
    return make(field, TClauseKind::Float, sql);
}

TWhereClause TWhereClause::DateFrom(const QString& field, const QString& sql)
{
    return make(field, TClauseKind::DateFrom, sql);
}

TWhereClause TWhereClause::DateTo(const QString& field, const QString& sql)
{
    return make(field, TClauseKind::DateTo, sql);
}

TWhereClause TWhereClause::Day(const QString& field, const QString& sql)
{
    return make(field, TClauseKind::Day, sql);
}

TWhereClause TWhereClause::Flag(const QString& field, const QString& sqlTrue, const QString& sqlFalse)
{
    TWhereClause clause = make(field, TClauseKind::Flag, sqlTrue);
    clause.FalseFragment = sqlFalse;
    return clause;
}

TWhereClause TWhereClause::MakeCustom(const QString& field, TFieldType type,
                                      std::function<QString(const QVariant&, TSearchText&)> build)
{
    TWhereClause clause = make(field, TClauseKind::Custom, QString());
    clause.CustomType = type;
    clause.Custom = std::move(build);
    return clause;
}

TCustomWhere::TCustomWhere(QList<TWhereClause> clauses)
{
    if (!clauses.isEmpty())
        SetClauses(std::move(clauses));
}

void TCustomWhere::SetClauses(QList<TWhereClause> clauses)
{
    m_clauses = std::move(clauses);
    DataSet()->ClearFields();
    for (const TWhereClause& clause : std::as_const(m_clauses)) {
        const TFieldType type = fieldTypeOf(clause);
        AddFieldDef(type, clause.Field, type == TFieldType::WideString ? clause.Size : -1, true, QString());
    }
    CreateDataSet();
    DataSet()->Append();
}

void TCustomWhere::Clear()
{
    DataSet()->Cancel();
    if (!DataSet()->Active())
        CreateDataSet();
    DataSet()->Append();
}

void TCustomWhere::SetCondition(const QString& field, const QVariant& value)
{
    DataSet()->SetValue(field, value);
}

QVariant TCustomWhere::Condition(const QString& field) const
{
    return DataSet()->Value(field);
}

TSearchText TCustomWhere::Build() const
{
    TSearchText search;
    QString text;
    for (const TWhereClause& clause : m_clauses) {
        const QVariant value = Condition(clause.Field);
        if (value.isNull())
            continue;
        const QString str = value.toString();
        QString part;
        switch (clause.Kind) {
        case TClauseKind::Text:
            if (!str.isEmpty())
                part = fill(clause.SqlFragment, search, {str});
            break;
        case TClauseKind::Contains:
            if (!str.isEmpty())
                part = fill(clause.SqlFragment, search, {u"%"_s + str + u"%"_s});
            break;
        case TClauseKind::StartsWith:
            if (!str.isEmpty())
                part = fill(clause.SqlFragment, search, {str + u"%"_s});
            break;
        case TClauseKind::ClassCode:
            if (str.isEmpty() || str == AllClasses)
                break;
            if (str == NoClass)
                part = clause.FalseFragment;
            else // a class's code is the prefix of every descendant's code
                part = fill(clause.SqlFragment, search, {str + u"%"_s});
            break;
        case TClauseKind::Integer:
        case TClauseKind::Float:
            part = fill(clause.SqlFragment, search, {value});
            break;
        case TClauseKind::DateFrom:
            part = fill(clause.SqlFragment, search, {value.toDateTime().date()});
            break;
        case TClauseKind::DateTo:
            part = fill(clause.SqlFragment, search, {value.toDateTime().date().addDays(1)});
            break;
        case TClauseKind::Day: {
            const QDate day = value.toDateTime().date();
            part = fill(clause.SqlFragment, search, {day, day.addDays(1)});
            break;
        }
        case TClauseKind::Flag:
            part = value.toBool() ? fill(clause.SqlFragment, search, {})
                                  : fill(clause.FalseFragment, search, {});
            break;
        case TClauseKind::Custom:
            if (clause.Custom && !(value.typeId() == QMetaType::QString && str.isEmpty()))
                part = clause.Custom(value, search);
            break;
        }
        if (!part.isEmpty())
            text += u" and "_s + part;
    }
    const qsizetype first = text.indexOf(u" and "_s);
    if (first >= 0)
        text.replace(first, 5, u" where "_s);
    search.Where = text;
    return search;
}
