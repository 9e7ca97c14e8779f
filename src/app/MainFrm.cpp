#include "app/MainFrm.h"

#include "app/Commands.h"
#include "app/HelpViewer.h"
#include "app/LwImgBtn.h"
#include "app/LwListView.h"
#include "app/LwPopupMenu.h"
#include "app/Mall.h"
#include "app/Product.h"
#include "app/aFrm.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/Notifier.h"
#include "project/LoginFrm.h"
#include "project/Operator.h"

#include <QAction>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSvgRenderer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPointer<TmainFrm> g_mainFrm;

const QColor Silver(0xc0, 0xc0, 0xc0);
const QColor Olive(0xd8, 0xd0, 0x7a); // olive lightened so it reads on the blue banner

TlwImgBtn* makeImage(const QString& name, QWidget* parent)
{
    auto* image = new TlwImgBtn(parent);
    image->setObjectName(name);
    return image;
}

// A band of fixed height whose background picture stretches across it.
TlwImgBtn* makeBand(const QString& name, const QString& picture, int height, QWidget* parent)
{
    TlwImgBtn* band = makeImage(name, parent);
    band->setFixedHeight(height);
    band->setScaledContents(true);
    const QPixmap background = TmainFrm::LoadPicture(picture, QSize(1600, height));
    band->SetNormalPicture(background);
    band->SetHoverPicture(background);
    band->ShowNormal();
    band->setMinimumWidth(1);
    band->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return band;
}

// The normal ("A") and hover ("B") pictures of `base` on `image`.
void loadPair(TlwImgBtn* image, const QString& base, const QSize& size)
{
    image->SetHoverPicture(TmainFrm::LoadPicture(base + u'B', size));
    image->SetNormalPicture(TmainFrm::LoadPicture(base + u'A', size));
    image->ShowNormal();
    image->setFixedSize(size);
}

} // namespace

TmainFrm* mainFrm()
{
    return g_mainFrm;
}

QPixmap TmainFrm::LoadPicture(const QString& base, const QSize& size)
{
    const QString file = QDir(QCoreApplication::applicationDirPath()).filePath(base);
    QString error;
    if (QFileInfo::exists(file)) {
        QImageReader reader(file);
        reader.setDecideFormatFromContent(true);
        const QImage image = reader.read();
        if (!image.isNull())
            return QPixmap::fromImage(image).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        error = reader.errorString();
    } else {
        QSvgRenderer renderer(u":/images/%1.svg"_s.arg(base));
        if (renderer.isValid()) {
            const qreal ratio = qGuiApp->devicePixelRatio();
            QPixmap picture(size * ratio);
            picture.setDevicePixelRatio(ratio);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
            return picture;
        }
        error = u"找不到图片文件"_s;
    }
    Notifier().Warning(u"%1:%2"_s.arg(base, error));
    return {};
}

TmainFrm::TmainFrm(const QStringList& arguments) : m_arguments(arguments)
{
    g_mainFrm = this;
    setObjectName(u"mainFrm"_s);
    setFont(TaFrm::WindowFont());
    setWindowTitle(u"%1 - %2"_s.arg(Product::Name, Product::Edition));
    setWindowState(Qt::WindowMaximized);
    resize(1280, 800);

    buildActions();
    buildMenus();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildBanner());
    layout->addWidget(buildNavigation());

    m_circulation = new TlwListView(central);
    m_circulation->setObjectName(u"ListView1"_s);
    m_circulation->setIconSize(QSize(32, 32));
    m_circulation->setGridSize(QSize(104, 72));
    m_circulation->setSpacing(8);
    m_circulation->setFrameShape(QFrame::NoFrame);
    m_circulation->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_circulation, 1);

    m_data = new TlwListView(central);
    m_data->setObjectName(u"ListView2"_s);
    m_data->setFixedHeight(76);
    m_data->setIconSize(QSize(32, 32));
    m_data->setFlow(QListView::LeftToRight);
    m_data->setMovement(QListView::Static);
    m_data->setWrapping(false);
    m_data->setGridSize(QSize(96, 70));
    m_data->setSelectionMode(QAbstractItemView::SingleSelection);
    m_data->setDragEnabled(false);
    m_data->setFrameShape(QFrame::NoFrame);
    m_data->setStyleSheet(u"TlwListView#ListView2 { border-top: 1px solid #b4c9de; background: #f5f9fd; }"_s);
    for (const QString& name : DataDesktop())
        m_data->AddAction(m_actions.value(name));
    layout->addWidget(m_data);
    layout->addWidget(buildFooter());
    setCentralWidget(central);

    // the circulation desktop's popup menu
    m_popup = new TlwPopupMenu(this);
    m_popup->setObjectName(u"PopupMenu1"_s);
    m_popup->AddItem(u"打开"_s, false, [this] {
        if (QListWidgetItem* item = m_circulation->currentItem())
            Tmall::Execute(TlwListView::ActionName(item), this);
    });
    m_popup->AddSeparator();
    m_popup->AddItem(u"顶对齐"_s, false, [this] { m_circulation->AlignTop(); });
    m_popup->AddItem(u"左对齐"_s, false, [this] { m_circulation->AlignLeft(); });
    m_popup->AddSeparator();
    m_popup->AddItem(u"重新排列我的桌面"_s, false, [this] { rearrange(); });
    connect(m_circulation, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_popup->popup(m_circulation->viewport()->mapToGlobal(at)); });

    for (TlwListView* desktop : {m_circulation, m_data})
        connect(desktop, &TlwListView::actionActivated, this, [this](const QString& name) { Tmall::Execute(name, this); });
    connect(m_circulation, &QListWidget::itemSelectionChanged, this, &TmainFrm::showSelection);
}

TmainFrm::~TmainFrm() = default;

void TmainFrm::buildActions()
{
    for (const RCommand& command : Commands()) {
        auto* action = new QAction(CommandIcon(command), command.Caption, this);
        action->setObjectName(command.Name);
        action->setStatusTip(command.Hint);
        action->setToolTip(command.Hint);
        const QString name = command.Name;
        connect(action, &QAction::triggered, this, [this, name] { Tmall::Execute(name, this); });
        m_actions.insert(name, action);
        m_actionList.append(action);
    }
}

void TmainFrm::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(u"MainMenu1"_s);
    for (const RMenu& menu : MainMenu()) {
        QMenu* sub = bar->addMenu(menu.Caption);
        for (const QString& item : menu.Items) {
            if (item == u"-"_s)
                sub->addSeparator();
            else if (item != u"*"_s)
                sub->addAction(m_actions.value(item));
        }
        if (menu.Items.contains(u"*"_s))
            m_tools = sub;
    }
}

QWidget* TmainFrm::buildBanner()
{
    m_top = makeBand(u"imgTop1"_s, u"banner"_s, 100, this);
    m_logo = makeImage(u"imgTitleLog1"_s, m_top);
    m_logo->SetNormalPicture(LoadPicture(u"logo"_s, QSize(84, 84)));
    m_logo->ShowNormal();
    // the title's two pictures are the one picture of the hidden imgTitle2
    const QPixmap title = LoadPicture(u"title"_s, QSize(420, 84));
    m_title = makeImage(u"imgTitle1"_s, m_top);
    m_title->SetHoverPicture(title);
    m_title->SetNormalPicture(title);
    m_title->SetHover(true);
    m_title->ShowNormal();
    m_title->setToolTip(Product::Name);
    m_version = new QLabel(Product::Edition, m_top);
    m_version->setObjectName(u"lblVersion1"_s);
    QPalette olive = m_version->palette();
    olive.setColor(QPalette::WindowText, Olive);
    m_version->setPalette(olive);
    m_exit = makeImage(u"imgExit1"_s, m_top);
    loadPair(m_exit, u"Z001"_s, QSize(72, 64));
    m_exit->SetHover(true);
    m_exit->setCursor(Qt::PointingHandCursor);
    m_exit->setToolTip(u"退出系统"_s);
    connect(m_exit, &TlwImgBtn::clicked, this, &TmainFrm::close);

    auto* row = new QHBoxLayout(m_top);
    row->setContentsMargins(16, 0, 20, 0);
    row->setSpacing(6);
    row->addWidget(m_logo, 0, Qt::AlignTop);
    row->addWidget(m_title, 0, Qt::AlignTop);
    row->addWidget(m_version, 0, Qt::AlignBottom);
    row->addStretch(1);
    row->addWidget(m_exit, 0, Qt::AlignVCenter);
    for (TlwImgBtn* image : {m_title, m_exit}) {
        connect(image, &TlwImgBtn::mouseEntered, this, [this, image] { hoverHint(image, true); });
        connect(image, &TlwImgBtn::mouseLeft, this, [this, image] { hoverHint(image, false); });
    }
    return m_top;
}

QWidget* TmainFrm::buildNavigation()
{
    TlwImgBtn* band = makeBand(u"imgNav1"_s, u"nav"_s, 50, this);
    m_circulationTab = makeImage(u"imgJxc1"_s, band);
    loadPair(m_circulationTab, u"Z003"_s, QSize(150, 50));
    m_circulationTab->SetHover(false);
    m_circulationTab->setToolTip(u"借阅管理"_s);
    m_financeTab = makeImage(u"imgFinance1"_s, band);
    loadPair(m_financeTab, u"Z004"_s, QSize(150, 50));
    m_financeTab->SetHover(true);
    m_financeTab->setToolTip(u"财务管理"_s);
    connect(m_circulationTab, &TlwImgBtn::clicked, this, &TmainFrm::fillCirculationDesktop);
    connect(m_financeTab, &TlwImgBtn::mouseEntered, this, [this] { hoverHint(m_financeTab, true); });
    connect(m_financeTab, &TlwImgBtn::mouseLeft, this, [this] { hoverHint(m_financeTab, false); });
    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(12, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(m_circulationTab, 0, Qt::AlignTop);
    row->addWidget(m_financeTab, 0, Qt::AlignTop);
    row->addStretch(1);
    return band;
}

QWidget* TmainFrm::buildFooter()
{
    TlwImgBtn* band = makeBand(u"imgBtm1"_s, u"footer"_s, 118, this);
    m_hint1 = new QLabel(band);
    m_hint1->setObjectName(u"lblHint1"_s);
    m_hint2 = new QLabel(band);
    m_hint2->setObjectName(u"lblHint2"_s);
    for (QLabel* label : {m_hint1, m_hint2}) {
        QPalette silver = label->palette();
        silver.setColor(QPalette::WindowText, Silver);
        label->setPalette(silver);
    }
    QFont larger = m_hint1->font();
    larger.setPixelSize(16);
    larger.setBold(true);
    m_hint1->setFont(larger);
    auto* column = new QVBoxLayout(band);
    column->setContentsMargins(28, 22, 28, 22);
    column->setSpacing(10);
    column->addWidget(m_hint1);
    column->addWidget(m_hint2);
    column->addStretch(1);
    return band;
}

void TmainFrm::hoverHint(TlwImgBtn* image, bool entered)
{
    if (!image->Hover())
        return;
    if (entered) {
        image->ShowHover();
        m_hint2->setText(image->toolTip());
    } else {
        image->ShowNormal();
        m_hint2->clear();
    }
}

bool TmainFrm::Login(bool first)
{
    if (!TLoginFrm::Login(first, first ? m_arguments : QStringList(), this))
        return false;
    QStringList names;
    for (QAction* action : std::as_const(m_actionList))
        names.append(action->objectName());
    try {
        m_arrangement = TDesktopArrangement::Load(names, CurrentOperator().LoginId);
    } catch (const EDatabaseError& error) {
        // The desktop still works with every icon at its first place.
        m_arrangement = TDesktopArrangement::FromText(names, QString());
        Notifier().Info(error.Message());
    }
    m_circulationTab->ShowHover();
    fillCirculationDesktop();
    showWelcome();
    return true;
}

void TmainFrm::fillCirculationDesktop()
{
    // Only the first login fills the desktop; a re-login keeps the icons where they are.
    if (m_desktopFilled)
        return;
    m_desktopFilled = true;
    m_financeTab->ShowNormal();
    m_financeTab->hide();
    m_financeTab->SetHover(true);
    m_circulationTab->SetHover(false);
    for (const QString& name : CirculationDesktop())
        m_circulation->AddAction(m_actions.value(name));
    placeIcons();
}

void TmainFrm::placeIcons()
{
    // Icons the operator never placed go to the next free cell in reading order rather than all onto
    // 10,10, where they would hide one another.
    const QSize grid = m_circulation->gridSize();
    // Before the window is first shown the desktop has no width yet; it opens maximised.
    const int width = m_circulation->isVisible() || !screen() ? m_circulation->viewport()->width()
                                                              : screen()->availableGeometry().width();
    const int perRow = qMax(1, (width - 20) / grid.width());
    int next = 0;
    for (int row = 0; row < m_circulation->count(); ++row) {
        QListWidgetItem* item = m_circulation->item(row);
        const QString name = TlwListView::ActionName(item);
        QPoint position = m_arrangement.Position(name);
        if (!m_arrangement.Stored(name)) {
            position = QPoint(10 + (next % perRow) * grid.width(), 10 + (next / perRow) * grid.height());
            ++next;
        }
        m_circulation->SetItemPosition(item, position);
    }
}

void TmainFrm::rearrange()
{
    // Icons in reading order, on the view's own grid.
    const QSize grid = m_circulation->gridSize();
    const int perRow = qMax(1, (m_circulation->viewport()->width() - 20) / grid.width());
    for (int row = 0; row < m_circulation->count(); ++row) {
        const QPoint position(10 + (row % perRow) * grid.width(), 10 + (row / perRow) * grid.height());
        m_circulation->SetItemPosition(m_circulation->item(row), position);
    }
}

void TmainFrm::showWelcome()
{
    m_hint1->setText(u"%1: 您好! 欢迎您使用本系统."_s.arg(CurrentOperator().LoginId));
    m_hint2->setText(u"请从桌面或菜单中选择您要的操作."_s);
}

void TmainFrm::showSelection()
{
    QListWidgetItem* item = m_circulation->currentItem();
    if (!item || !item->isSelected()) {
        showWelcome();
        return;
    }
    QAction* action = m_actions.value(TlwListView::ActionName(item));
    if (!action)
        return;
    m_hint1->setText(action->text());
    m_hint2->setText(action->statusTip());
}

void TmainFrm::storeArrangement()
{
    for (int row = 0; row < m_circulation->count(); ++row) {
        QListWidgetItem* item = m_circulation->item(row);
        m_arrangement.SetPosition(TlwListView::ActionName(item), m_circulation->ItemPosition(item));
    }
    if (CurrentOperator().LoginId.isEmpty())
        return;
    try {
        m_arrangement.Save(CurrentOperator().LoginId);
    } catch (const EDatabaseError& error) {
        // Closing goes on: the arrangement is a convenience, the day's work is already saved.
        Notifier().Info(error.Message());
    }
}

void TmainFrm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        THelpViewer::ShowTopic(u"main"_s);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TmainFrm::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        hide();
        if (m_desktopFilled)
            storeArrangement();
        Tmall::OnExit();
        Tmall::BackupAtExit();
        Database().SetConnected(false);
    }
    event->accept();
}
