#pragma once

#include <QDialog>
#include <QPoint>
#include <QSize>

// Base of every window: the program's font, F1 help and placement near the mouse pointer. Enter that
// reaches the window presses the focused push button and nothing else: there is no default button.
class TaFrm : public QDialog
{
    Q_OBJECT

public:
    // Where the window goes the first time it is shown; later showings always go to the pointer.
    enum class TPosition {
        AtCursor,
        CenterOwner,
        CenterScreen,
        CenterMain,
    };

    explicit TaFrm(QWidget* parent = nullptr);

    // Opens `topic` in the program's help; an empty topic is the window's object name less its last
    // three characters ("BookListFrm" gives "BookList").
    virtual void Help(const QString& topic = QString());
    QString HelpTopic() const;

    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }

    // The top-left corner for a window of `window` size shown with the pointer at `cursor` on a screen
    // of `screen` size: centred on the pointer, kept 20 pixels from the left and top edges, 20 from the
    // right edge and 50 from the bottom.
    static QPoint PlaceAtCursor(QPoint cursor, QSize window, QSize screen);
    // The program's window font.
    static QFont WindowFont();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void place();

    TPosition m_position = TPosition::AtCursor;
    bool m_shownBefore = false;
};
