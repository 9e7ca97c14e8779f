#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class QIODevice;

// One named statement parameter; the name is written after ":" in the SQL text.
struct TDBParameter
{
    QString Name;
    QVariant Value;
};

// One named binary parameter whose contents are read from a stream (borrowed, not closed).
struct TxDBParameter
{
    QString Name;
    QIODevice* Stream = nullptr;
};

using TDBParameters = QList<TDBParameter>;
using TxDBParameters = QList<TxDBParameter>;

TDBParameter MakeParam(const QString& name, const QVariant& value);
// A typed null: the engine still learns the column's type from the statement.
TDBParameter MakeNullParam(const QString& name);
