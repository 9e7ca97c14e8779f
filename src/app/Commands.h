#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QString>
#include <functional>

class QWidget;

// One command of the main window: its menu item or action, the right it asks for first, and what
// it opens. The menu, the desktops and the actions all run commands through Tmall::Execute.
struct RCommand
{
    enum class TKind
    {
        Modal, // a dialog made for the command and freed after it
        Work,  // a work window owned by the application, freed when closed
        Other,
    };

    QString Name;    // the action's or menu item's name, as the desktop arrangement stores it
    QString Caption; // menu text and icon caption
    QString Hint;    // shown in the footer while the icon is selected
    int Right = 0;   // checked first; 0 for none
    TKind Kind = TKind::Other;
    bool Busy = false; // the wait cursor shows until the window exists
    QString Glyph;     // the character on the command's own icon
    QColor Color;      // the colour of that icon
    QString ThemeIcon; // the desktop theme's icon name, used when the theme has it
    // Opens what the command serves; empty while that window is still to come.
    std::function<void(QWidget* mainWindow)> Run;
};

// Every command, in no particular order; looked up by name.
const QList<RCommand>& Commands();
const RCommand* FindCommand(const QString& name);

// The main menu: top-level captions with their item names in order; "-" is a separator and "*" the
// place where the tools menu's own entries go.
struct RMenu
{
    QString Caption;
    QStringList Items;
};
const QList<RMenu>& MainMenu();

// The icons of the two desktops, in order.
QStringList CirculationDesktop();
QStringList DataDesktop();

// The command's icon at the desktops' size: the theme's when it has one, else the program's own.
QIcon CommandIcon(const RCommand& command);
// The program's own icon: a rounded tile in `color` with `glyph` on it.
QIcon PaintedIcon(const QString& glyph, const QColor& color);

// The message a command shows while its window is still to come.
QString LaterText();
