#pragma once

#include "data/CustomWhere.h"

// Base of the book and journal condition builders, with the clause shapes both use.
class THoldingWhere : public TCustomWhere
{
    Q_OBJECT

public:
    // The escape character of every "like" pattern the holdings searches bind.
    static inline const QChar LikeEscape = u'!';

    // `text` with the pattern characters of "like" (and the escape character) taken literally.
    static QString EscapeLike(const QString& text);
    // A text condition matched anywhere inside the column(s): each "?" of `sql` binds the escaped
    // text between "%"; the fragment writes its own "escape '!'" after each "like ?".
    static TWhereClause Contains(const QString& field, const QString& sql, int size = 50);
    // A price bound: the value as the operator sees it, rounded to whole cents (12.345 -> 12.35).
    static TWhereClause Price(const QString& field, const QString& sql);
    // A text-with-like fragment for one column: "<column> like ? escape '!'".
    static QString Like(const QString& column);

protected:
    explicit THoldingWhere(QList<TWhereClause> clauses);
};
