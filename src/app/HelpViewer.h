#pragma once

#include <QMainWindow>
#include <QString>
#include <QUrl>

class QTextBrowser;

// The program's own help: HTML pages shipped as resources (":/help/<topic>.htm"), shown in one help
// window ("帮助") that every F1 and "帮助" reuses, with back, forward and home on its tool bar.
//
// Asked for from a modal dialog or a stay-on-top work window, the help window goes along with that
// window (above it, and not blocked by it); when that window goes away the help stays open on its own.
class THelpViewer : public QMainWindow
{
    Q_OBJECT

public:
    // Shows the topic's page, or the main page when the topic has none.
    static void ShowTopic(const QString& topic);
    // The resource path of the page that ShowTopic opens for `topic`.
    static QString PageFor(const QString& topic);
    // The help window, while one is open.
    static THelpViewer* Current();

    QTextBrowser* Browser() const { return m_browser; }
    QUrl Source() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    THelpViewer();
    void open(const QString& page);
    // Parents the window to `owner` (a dialog that blocks every other window) or to nothing.
    void attachTo(QWidget* owner);

    QTextBrowser* m_browser = nullptr;
};
