#include "app/StartUp.h"

#include "app/MainFrm.h"
#include "app/PubFrm.h"
#include "app/SplashFrm.h"
#include "data/DBConfigFrm.h"
#include "project/Company.h"
#include "project/KeyValue2.h"

#include <QApplication>

using namespace Qt::StringLiterals;

TStartUp::TStartUp() = default;

TStartUp::TStartUp(TOptions options) : m_options(std::move(options)) {}

TStartUp::~TStartUp()
{
    SetPubFrm(nullptr);
}

TmainFrm* TStartUp::Start(const QStringList& arguments)
{
    auto splash = std::make_unique<TSplashFrm>(m_options.PictureFolder);
    splash->show();
    QCoreApplication::processEvents();
    auto hint = [&](const QString& text) {
        splash->ShowHint(text);
        m_history = splash->History();
    };

    hint(u"正在连接数据库,请稍候..."_s);
    if (!ConnectDatabase(m_options.ConfigPath))
        return nullptr;

    hint(u"正在创建公共对象,请稍候..."_s);
    Company().Load();
    KeyValues().LoadFineRates();
    hint(QString());
    hint(u"正在创建主程序,请稍候..."_s);

    m_pubFrm = std::make_unique<TPubFrm>();
    SetPubFrm(m_pubFrm.get());
    m_mainFrm = std::make_unique<TmainFrm>(arguments);
    m_mainFrm->setWindowState(Qt::WindowMaximized);
    splash.reset();

    if (!m_mainFrm->Login(true)) {
        m_mainFrm->close();
        return nullptr;
    }
    return m_mainFrm.get();
}
