#pragma once

#include <QString>
#include <functional>

class QWidget;

// What the grid tools ask of the desktop: a file name to save under, and opening a written file
// with the program the desktop uses for it. Tests answer both through hooks instead.
class TDesktop
{
public:
    // (caption, filter, default extension) -> the chosen path, empty when cancelled
    using TSaveHook = std::function<QString(const QString& caption, const QString& filter, const QString& defaultExt)>;
    using TOpenHook = std::function<bool(const QString& path)>;

    // A save dialog with `filter` in the "description|patterns" form; a chosen name without an
    // extension gets `defaultExt`. Empty when cancelled.
    static QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& defaultExt, const QString& initial = QString());
    // Opens the file with the desktop's default program; false when none could be started.
    static bool OpenFile(const QString& path);

    // Replace the dialog and the opening; an empty function restores the real one.
    static void SetSaveHook(TSaveHook hook);
    static void SetOpenHook(TOpenHook hook);

    // "文本文件(*.txt)|*.txt" -> "文本文件 (*.txt)"; several pairs become ";;"-separated filters.
    static QString QtFilter(const QString& filter);
    // `path` with a missing extension supplied, or its extension replaced when `replace` is set.
    static QString WithExtension(const QString& path, const QString& ext, bool replace);
};
