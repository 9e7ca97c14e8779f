#pragma once

#include <QString>

// Product texts, fixed for the whole run.
namespace Product {
inline const QString Name = QStringLiteral("澄岳图书管理系统");
inline const QString Edition = QStringLiteral("网络版 2013.1.11.0326");
inline const QString Build = QStringLiteral("Build130117");
inline const QString Years = QStringLiteral("2013-2026");
// Base name of the embedded database file and of the per-user folders.
inline const QString Id = QStringLiteral("quorin");
} // namespace Product
