#pragma once

#include <QString>

// Where Quorin keeps its own files on this machine.
namespace AppPaths {

inline const QString ConfigFileName = QStringLiteral("cfg.ini");

// cfg.ini beside the program when that folder is writable and already holds one (a portable
// install), otherwise cfg.ini in the per-user configuration folder. The folder may not exist yet;
// whoever writes the file creates it.
QString ConfigFilePath();

// The embedded database file in the per-user data folder. The folder is created here, so the
// first start can create the database file in it.
QString DefaultDatabasePath();

} // namespace AppPaths
