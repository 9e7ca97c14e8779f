#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class TmainFrm;
class TPubFrm;

// The program's start: splash, connection, company, shared pictures, main window and login, in
// that order. Start-up ends early, and the program with it, when the connection or the login is
// cancelled.
class TStartUp
{
public:
    struct TOptions
    {
        QString ConfigPath;    // cfg.ini; its usual place when empty
        QString PictureFolder; // where splash.jpg is looked for; the program's folder when empty
    };

    TStartUp();
    explicit TStartUp(TOptions options);
    ~TStartUp();

    // Runs start-up up to and including the login. Returns the main window, logged in and not yet
    // shown, or null when the program ends here.
    TmainFrm* Start(const QStringList& arguments);

    // The splash texts shown, in order.
    const QStringList& SplashHistory() const { return m_history; }

private:
    TOptions m_options;
    QStringList m_history;
    std::unique_ptr<TPubFrm> m_pubFrm;
    std::unique_ptr<TmainFrm> m_mainFrm;
};
