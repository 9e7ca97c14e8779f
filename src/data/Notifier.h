#pragma once

#include <QString>

// The one way core code reaches the operator: the program installs message boxes,
// tests install a recorder so they can check the exact texts.
//
// Info is the program's information box: the text as given, which the box shows after a blank first
// line and with a trailing tab ("\r\n" + text + "\t"). Confirm is the warning box with OK and
// Cancel and shows its text exactly.
class INotifier
{
public:
    virtual ~INotifier() = default;
    virtual void Info(const QString& text) = 0;
    virtual void Warning(const QString& text) = 0;
    virtual void Error(const QString& text) = 0;
    // OK/Cancel question; true for OK.
    virtual bool Confirm(const QString& text) = 0;
};

// The installed notifier; a console one (stderr, Confirm answers false) until the program sets its own.
INotifier& Notifier();
// Installs `notifier` (not owned) and returns the previous one; nullptr restores the console notifier.
INotifier* SetNotifier(INotifier* notifier);
