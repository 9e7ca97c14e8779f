#pragma once

#include "data/Notifier.h"

#include <QMessageBox>

// The program's message boxes behind Notifier(). Constructing one installs it; destroying it puts
// back the notifier that was there before, so main() keeps one on its stack for the whole run.
//
// Info is the information box with OK, its text after a blank first line; Warning and Error show
// their text as given; Confirm is a warning box with OK and Cancel. Boxes belong to the active window.
class TMessageBoxNotifier final : public INotifier
{
public:
    TMessageBoxNotifier();
    ~TMessageBoxNotifier() override;
    TMessageBoxNotifier(const TMessageBoxNotifier&) = delete;
    TMessageBoxNotifier& operator=(const TMessageBoxNotifier&) = delete;

    void Info(const QString& text) override;
    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    bool Confirm(const QString& text) override;

    // What a box shows for `text`: "\r\n" and a lone "\r" become line breaks; the tabs that pad the
    // program's messages on the desktop are dropped at the ends of lines and become spaces inside them.
    static QString DisplayText(const QString& text);

private:
    static QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons);

    INotifier* m_previous = nullptr;
};
