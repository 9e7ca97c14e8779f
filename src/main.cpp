// Quorin's entry: the start-up sequence, or with `--create-database "<connection string>"` the
// preparation of an empty database on a server or in a file without any SQL by hand.

#include "app/MainFrm.h"
#include "app/MessageBoxNotifier.h"
#include "app/Mall.h"
#include "app/Product.h"
#include "app/StartUp.h"
#include "app/aFrm.h"
#include "data/AppPaths.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/LocalTime.h"
#include "holdings/Schema.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void say(const QString& text)
{
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int createDatabase(const QString& connectionString)
{
    QString error;
    if (!TSchema::CreateDatabase(Database(), connectionString, &error)) {
        say(u"创建数据库失败: %1"_s.arg(error));
        return 1;
    }
    say(u"数据库已就绪 (版本 %1): %2"_s.arg(TSchema::StoredVersion(Database())).arg(Database().DataSourceName()));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    LocalTime::CacheSystemZone();
    // Command-line work needs no display.
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == u"--create-database"_s || arg == u"--version"_s || arg == u"--help"_s) {
            QCoreApplication core(argc, argv);
            QCoreApplication::setApplicationName(Product::Id);
            QCommandLineParser parser;
            parser.setApplicationDescription(Product::Name);
            parser.addHelpOption();
            parser.addVersionOption();
            parser.addOption({u"create-database"_s, u"在连接串所指的数据库上建立全部数据表."_s, u"connection"_s});
            QCoreApplication::setApplicationVersion(Product::Edition);
            parser.process(core);
            if (parser.isSet(u"create-database"_s))
                return createDatabase(parser.value(u"create-database"_s));
            return 0;
        }
    }

    if (!haveDisplay()) {
        say(u"没有找到图形显示. 在没有显示器的机器上请这样启动:\n"
            u"  xvfb-run -s \"-screen 0 1366x768x24\" ./build/quorin"_s);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(Product::Id);
    QApplication::setApplicationDisplayName(Product::Name);
    QApplication::setFont(TaFrm::WindowFont());
    QCoreApplication::processEvents();

    TMessageBoxNotifier notifier;
    try {
        TStartUp startUp;
        TmainFrm* main = startUp.Start(QCoreApplication::arguments().mid(1));
        if (!main)
            return 0;
        main->showMaximized();
        Tmall::OnStart(main);
        return app.exec();
    } catch (const EAbort&) {
        // the operator has been told what went wrong
        return 1;
    } catch (const EDatabaseError& error) {
        QMessageBox::critical(nullptr, Product::Name, error.Message());
        return 1;
    }
}
