#pragma once

#include "app/DesktopArrangement.h"

#include <QHash>
#include <QMainWindow>
#include <QPixmap>

class QAction;
class QLabel;
class QMenu;
class TlwImgBtn;
class TlwListView;
class TlwPopupMenu;

// The main window: banner, the circulation desktop with the operator's own arrangement, the data
// desktop, the footer hints, the main menu, and the close sequence. Closing it ends the program.
class TmainFrm : public QMainWindow
{
    Q_OBJECT

public:
    // `arguments` are the program's command-line arguments (without the program name).
    explicit TmainFrm(const QStringList& arguments = {});
    ~TmainFrm() override;

    // Asks for a login (the command line first when `first`); false when the operator cancelled.
    // After a login the desktop is prepared for that operator.
    bool Login(bool first);

    // The action of the command `name` (every menu item and desktop icon has one).
    QAction* Action(const QString& name) const { return m_actions.value(name); }
    const QList<QAction*>& ActionList1() const { return m_actionList; }
    TlwListView* ListView1() const { return m_circulation; }
    TlwListView* ListView2() const { return m_data; }
    TlwPopupMenu* PopupMenu1() const { return m_popup; }
    QLabel* lblHint1() const { return m_hint1; }
    QLabel* lblHint2() const { return m_hint2; }
    QMenu* ToolsMenu() const { return m_tools; }
    const TDesktopArrangement& Arrangement() const { return m_arrangement; }

    // A picture of the window: the file `base` in the program's folder when there is one (a JPEG
    // without extension), else the program's own; null after telling why when neither loads.
    static QPixmap LoadPicture(const QString& base, const QSize& size);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildBanner();
    QWidget* buildNavigation();
    QWidget* buildFooter();
    void buildActions();
    void buildMenus();
    void fillCirculationDesktop();
    void placeIcons();
    void showWelcome();
    void showSelection();
    void rearrange();
    void hoverHint(TlwImgBtn* image, bool entered);
    void storeArrangement();

    QStringList m_arguments;
    QHash<QString, QAction*> m_actions;
    QList<QAction*> m_actionList;
    TDesktopArrangement m_arrangement;
    TlwImgBtn* m_top = nullptr;
    TlwImgBtn* m_logo = nullptr;
    TlwImgBtn* m_title = nullptr;
    TlwImgBtn* m_exit = nullptr;
    TlwImgBtn* m_circulationTab = nullptr;
    TlwImgBtn* m_financeTab = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_hint1 = nullptr;
    QLabel* m_hint2 = nullptr;
    TlwListView* m_circulation = nullptr;
    TlwListView* m_data = nullptr;
    TlwPopupMenu* m_popup = nullptr;
    QMenu* m_tools = nullptr;
    bool m_desktopFilled = false;
    bool m_closed = false;
};

// The process-wide main window; null before start-up creates it.
TmainFrm* mainFrm();
