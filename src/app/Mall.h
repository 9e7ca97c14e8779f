#pragma once

#include <QString>

class QWidget;

// The application's hooks and the one way every command runs: class-level operations only.
class Tmall
{
public:
    // Runs the command `name` for the main window: its right first (a refusal ends it), then the
    // window that serves it, with the wait cursor for busy commands. Errors the command raises are
    // shown in an information box; the main window stays usable.
    static void Execute(const QString& name, QWidget* mainWindow);

    // Once, right after the main window is shown: the company prompt and the daily tips.
    static void OnStart(QWidget* mainWindow);
    // Once, while the main window closes: the feedback form when it is switched on.
    static void OnExit();
    // While the main window closes, after OnExit: the automatic backup when its schedule says so.
    static void BackupAtExit();
};
