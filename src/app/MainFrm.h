#pragma once

#include <QMainWindow>

// The main window: its caption, the login and the close sequence. Closing it ends the program.
class TmainFrm : public QMainWindow
{
    Q_OBJECT

public:
    // `arguments` are the program's command-line arguments (without the program name).
    explicit TmainFrm(const QStringList& arguments = {});

    // Asks for a login (the command line first when `first`); false when the operator cancelled.
    bool Login(bool first);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QStringList m_arguments;
    bool m_closed = false;
};

// The process-wide main window; null before start-up creates it.
TmainFrm* mainFrm();
