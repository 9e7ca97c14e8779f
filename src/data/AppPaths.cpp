#include "data/AppPaths.h"

#include "app/Product.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace AppPaths {

QString ConfigFilePath()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.isEmpty()) {
        const QString beside = QDir(programDir).filePath(ConfigFileName);
        if (QFileInfo(programDir).isWritable() && QFileInfo(beside).isFile())
            return beside;
    }
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(ConfigFileName);
}

QString DefaultDatabasePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(Product::Id + u".db"_s);
}

} // namespace AppPaths
