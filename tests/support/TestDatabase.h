#pragma once

#include <QString>
#include <QStringList>

// Fresh databases for data tests, one engine at a time.
//
// Data-driven tests add a row per engine:
//     void tst::x_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
//     void tst::x() { QFETCH(QString, engine); QVERIFY(TTestDatabase::OpenWithSchema(engine)); ... }
namespace TTestDatabase {

inline const QString SQLite = QStringLiteral("sqlite");
inline const QString PostgreSQL = QStringLiteral("postgresql");

// "sqlite" always; "postgresql" when QUORIN_TEST_PG holds a connection string.
QStringList Engines();
// Adds one QTest row named after each engine with the engine as its first column.
void AddEngineRows();

// Connects Database() to a new, empty database of `engine`: a new SQLite file in a temporary folder,
// or a new schema of the PostgreSQL test database. Earlier test databases of this process are dropped.
bool OpenEmpty(const QString& engine);
// The same with every Quorin table and fixed row created.
bool OpenWithSchema(const QString& engine);
// The connection string OpenEmpty used last (to reconnect or to hand to code under test).
QString LastConnectionString();

} // namespace TTestDatabase
