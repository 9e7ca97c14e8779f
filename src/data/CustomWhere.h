#pragma once

#include "data/DBParameter.h"
#include "data/LwClientDataSet.h"

#include <QDate>
#include <functional>

// A finished condition text and the values it binds.
struct TSearchText
{
    QString Where; // empty, or " where ..." ready to append to a select
    TDBParameters Params;

    // Binds one value and returns its placeholder (":w_1", ":w_2", ...).
    QString Bind(const QVariant& value);
};

// The kinds of search condition: how a condition value takes part and what it binds.
enum class TClauseKind
{
    Text,       // non-empty text, bound as typed
    Contains,   // non-empty text, bound as %text%
    StartsWith, // non-empty text, bound as text%
    ClassCode,  // "sys-all": no clause; "sys-nulled": the missing-class clause; else the class and its descendants
    Integer,    // not null
    Float,      // not null
    DateFrom,   // not null: from the start of that day
    DateTo,     // not null: up to the end of that day (bound as the next day, compared with "<")
    Day,        // not null: that whole day, two bound values [day, next day)
    Flag,       // not null: SqlFragment when true, FalseFragment when false
    Custom,     // not null / not empty: Build decides
};

// One condition of a search: the condition field it reads and the SQL it adds. Each "?" in a
// fragment stands for one bound value.
struct TWhereClause
{
    QString Field;
    TClauseKind Kind = TClauseKind::Text;
    QString SqlFragment;
    QString FalseFragment; // Flag: the clause for false; ClassCode: the clause for "sys-nulled"
    int Size = 50;         // width of a text condition field
    TFieldType CustomType = TFieldType::WideString;
    // Custom: returns the clause for the value, binding through the search text (empty: no clause).
    std::function<QString(const QVariant& value, TSearchText& search)> Custom;

    static TWhereClause Text(const QString& field, const QString& sql, int size = 50);
    static TWhereClause Contains(const QString& field, const QString& sql, int size = 50);
    static TWhereClause StartsWith(const QString& field, const QString& sql, int size = 50);
    static TWhereClause ClassCode(const QString& field, const QString& sql, const QString& nullSql);
    static TWhereClause Integer(const QString& field, const QString& sql);
    static TWhereClause Float(const QString& field, const QString& sql);
    static TWhereClause DateFrom(const QString& field, const QString& sql);
    static TWhereClause DateTo(const QString& field, const QString& sql);
    static TWhereClause Day(const QString& field, const QString& sql);
    static TWhereClause Flag(const QString& field, const QString& sqlTrue, const QString& sqlFalse = QString());
    static TWhereClause MakeCustom(const QString& field, TFieldType type,
                                   std::function<QString(const QVariant&, TSearchText&)> build);
};

// Base of the condition builders: one condition row whose fields are a search's conditions,
// declared together with their clauses from one table.
class TCustomWhere : public TLwClientDataSet
{
    Q_OBJECT

public:
    // The reserved class codes of the holdings searches.
    static inline const QString AllClasses = QStringLiteral("sys-all");
    static inline const QString NoClass = QStringLiteral("sys-nulled");

    explicit TCustomWhere(QList<TWhereClause> clauses = {});

    // Declares one condition field per clause, in order, and opens the condition row.
    void SetClauses(QList<TWhereClause> clauses);
    const QList<TWhereClause>& Clauses() const { return m_clauses; }

    // Discards every condition: afterwards each one is null.
    virtual void Clear();
    void SetCondition(const QString& field, const QVariant& value);
    QVariant Condition(const QString& field) const;

    // The conditions that take part, in clause order, joined by " and " with the first turned
    // into " where "; empty when none takes part.
    TSearchText Build() const;

private:
    QList<TWhereClause> m_clauses;
};
