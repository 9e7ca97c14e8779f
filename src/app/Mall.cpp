#include "app/Mall.h"

#include "app/Commands.h"
#include "app/MessageHelpers.h"
#include "data/DbError.h"
#include "project/CompanyInfoFrm.h"
#include "project/KeyValue2.h"
#include "project/Operator.h"

#include <QApplication>
#include <QTimer>

using namespace Qt::StringLiterals;

void Tmall::Execute(const QString& name, QWidget* mainWindow)
{
    const RCommand* command = FindCommand(name);
    if (!command)
        return;
    try {
        if (command->Right != 0)
            CurrentOperator().RequireRight(command->Right);
        if (!command->Run) {
            InfoBox(LaterText());
            return;
        }
        if (command->Busy) {
            // Back to normal as soon as events flow again: in a modal window's own loop once it is
            // up, or back in the main loop when a work window has been opened.
            QApplication::setOverrideCursor(Qt::WaitCursor);
            QTimer::singleShot(0, qApp, [] { QApplication::restoreOverrideCursor(); });
        }
        command->Run(mainWindow);
    } catch (const EAbort&) {
        // the operator has been told already
    } catch (const EDatabaseError& error) {
        InfoBox(error.Message());
    } catch (const EConvertError& error) {
        InfoBox(error.Message());
    }
}

void Tmall::OnStart(QWidget* mainWindow)
{
    try {
        TCompanyInfoFrm::PromptAtStart(mainWindow);
        // The daily tips window joins here when it is built; the switch is already kept.
        if (KeyValues().DailyTipPrompt() && FindCommand(u"N15"_s)->Run)
            Execute(u"N15"_s, mainWindow);
    } catch (const EAbort&) {
    } catch (const EDatabaseError& error) {
        InfoBox(error.Message());
    }
}

void Tmall::OnExit()
{
    try {
        // The feedback form joins here when it is built; the switch is already kept.
        if (KeyValues().FeedbackPrompt() && FindCommand(u"N22"_s)->Run)
            Execute(u"N22"_s, nullptr);
    } catch (const EAbort&) {
    } catch (const EDatabaseError&) {
        // closing goes on whatever the switch table says
    }
}

void Tmall::BackupAtExit() {}
