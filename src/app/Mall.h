#pragma once

class QWidget;

// The application's hooks and, as the shell grows, its commands: class-level operations only.
class Tmall
{
public:
    // Once, right after the main window is shown: the company prompt and the daily tips.
    static void OnStart(QWidget* mainWindow);
    // Once, while the main window closes: the feedback form when it is switched on.
    static void OnExit();
};
