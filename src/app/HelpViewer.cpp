#include "app/HelpViewer.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

using namespace Qt::StringLiterals;

QString THelpViewer::PageFor(const QString& topic)
{
    const QString page = u":/help/%1.htm"_s.arg(topic);
    if (!topic.isEmpty() && QFile::exists(page))
        return page;
    return u":/help/index.htm"_s;
}

void THelpViewer::ShowTopic(const QString& topic)
{
    static QPointer<QTextBrowser> browser;
    if (!browser) {
        browser = new QTextBrowser;
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->setWindowTitle(u"帮助"_s);
        browser->setOpenExternalLinks(true);
        browser->resize(720, 560);
    }
    browser->setSource(QUrl(u"qrc"_s + PageFor(topic)));
    browser->show();
    browser->raise();
    browser->activateWindow();
}
