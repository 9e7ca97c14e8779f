#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;

// The window that reports progress while the program starts: a picture across the top and one
// status line.
class TSplashFrm : public QWidget
{
    Q_OBJECT

public:
    // `pictureFolder` is where "splash.jpg" is looked for (the program's folder when empty); without
    // one the program's own picture is shown.
    explicit TSplashFrm(const QString& pictureFolder = QString());

    // Shows `text` in the status line, or adds a progress dot when `text` is empty, and repaints at
    // once: no event loop runs during start-up.
    void ShowHint(const QString& text);
    QString Hint() const;
    // Every status text shown, in order (dots included as they appeared).
    const QStringList& History() const { return m_history; }

private:
    QLabel* m_image = nullptr;
    QLabel* m_label = nullptr;
    QStringList m_history;
};
