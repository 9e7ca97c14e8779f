#include "data/DBConfigFrm.h"

#include "app/LwComboBox.h"
#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "app/aFrm.h"
#include "data/AppPaths.h"
#include "data/Database.h"
#include "data/Notifier.h"
#include "holdings/Schema.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

TlwEdit* makeEdit(const QString& name, QWidget* parent, bool masked = false)
{
    auto* edit = new TlwEdit(parent);
    edit->setObjectName(name);
    if (masked)
        edit->setEchoMode(QLineEdit::Password);
    edit->setMinimumWidth(220);
    return edit;
}

QWidget* makePage(const QString& name)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    return page;
}

} // namespace

TDBConfigFrm::TDBConfigFrm(QWidget* parent, const QString& configPath)
    : QDialog(parent), m_configer(configPath.isEmpty() ? AppPaths::ConfigFilePath() : configPath)
{
    setObjectName(u"DBConfigFrm"_s);
    setWindowTitle(u"数据库连接设置"_s);
    setFont(TaFrm::WindowFont());

    auto* image = new QLabel(this);
    image->setObjectName(u"Image1"_s);
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    image->setAlignment(Qt::AlignTop);
    auto* notes = new QVBoxLayout;
    const QStringList texts{u"注意，程序无法正常连接到指定的数据库。"_s, u"1.单机版用户，请检查数据库文件是否存在或者已被破坏；"_s,
                            u"2.网络版用户，请检查网络是否畅通以及数据库服务器是否启动。"_s,
                            u"另外，请检查以下连接参数是否正确："_s};
    for (int i = 0; i < texts.size(); ++i) {
        auto* label = new QLabel(texts.at(i), this);
        label->setObjectName(u"Label%1"_s.arg(10 + i));
        if (i == 0) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
        notes->addWidget(label);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addSpacing(8);
    top->addLayout(notes, 1);

    m_provider = new TlwComboBox(this);
    m_provider->setObjectName(u"ComboBox1"_s);
    m_provider->addItems({u"PostgreSQL 数据库服务器"_s, u"SQLite 数据库文件"_s, u"Tarnix Dip Provider (PostgreSQL)"_s});
    auto* providerRow = new QHBoxLayout;
    auto* providerLabel = new QLabel(u"提供者"_s, this);
    providerLabel->setBuddy(m_provider);
    providerRow->addWidget(providerLabel);
    providerRow->addWidget(m_provider, 1);

    // page "mssql": the database server
    QWidget* serverPage = makePage(u"mssql"_s);
    m_server = makeEdit(u"mssqlServerEdit1"_s, serverPage);
    m_port = makeEdit(u"mssqlPortEdit1"_s, serverPage);
    m_port->SetEditType(TlwEdit::etInteger);
    m_port->setText(QString::number(TConfiger::DefaultServerPort));
    m_database = makeEdit(u"mssqlDbEdit1"_s, serverPage);
    m_user = makeEdit(u"mssqlUserEdit1"_s, serverPage);
    m_password = makeEdit(u"mssqlPwEdit1"_s, serverPage, true);
    m_smart = new QCheckBox(u"采用智能连接"_s, serverPage);
    m_smart->setObjectName(u"CheckBox1"_s);
    auto* serverForm = new QFormLayout(serverPage);
    serverForm->addRow(u"服务器"_s, m_server);
    serverForm->addRow(u"端口"_s, m_port);
    serverForm->addRow(u"数据库名"_s, m_database);
    serverForm->addRow(u"登陆名"_s, m_user);
    serverForm->addRow(u"密 码"_s, m_password);
    serverForm->addRow(QString(), m_smart);

    // page "jet4": a database file
    QWidget* filePage = makePage(u"jet4"_s);
    m_default = new QCheckBox(u"使用默认连接"_s, filePage);
    m_default->setObjectName(u"jetDefaultCheckBox1"_s);
    m_file = makeEdit(u"jetfileEdit1"_s, filePage);
    m_fileButton = new QPushButton(u"..."_s, filePage);
    m_fileButton->setObjectName(u"jetFileButton1"_s);
    m_fileButton->setAutoDefault(false);
    m_fileButton->setFixedWidth(32);
    m_fileUser = makeEdit(u"jetUserEdit1"_s, filePage);
    m_filePassword = makeEdit(u"jetPwEdit1"_s, filePage, true);
    auto* fileRow = new QHBoxLayout;
    fileRow->setContentsMargins(0, 0, 0, 0);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_fileButton);
    auto* fileForm = new QFormLayout(filePage);
    fileForm->addRow(QString(), m_default);
    fileForm->addRow(u"数据库文件:"_s, fileRow);
    fileForm->addRow(u"用户名:"_s, m_fileUser);
    fileForm->addRow(u"密码:"_s, m_filePassword);

    // page "lwdip": server settings from the lookup service
    QWidget* lookupPage = makePage(u"lwdip"_s);
    m_dipUrl = makeEdit(u"edtDipUrl1"_s, lookupPage);
    m_dipUser = makeEdit(u"edtDipUser1"_s, lookupPage);
    auto* lookupForm = new QFormLayout(lookupPage);
    lookupForm->addRow(u"DIP地址"_s, m_dipUrl);
    lookupForm->addRow(u"DIP用户"_s, m_dipUser);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(u"Notebook1"_s);
    m_pages->addWidget(serverPage);
    m_pages->addWidget(filePage);
    m_pages->addWidget(lookupPage);
    auto* group = new QGroupBox(u"参数"_s, this);
    group->setObjectName(u"GroupBox1"_s);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_pages);

    m_create = new QPushButton(u"创建数据库"_s, this);
    m_create->setObjectName(u"btnCreateDb1"_s);
    m_create->setToolTip(u"在上面设置的数据库服务器或数据库文件中建立本程序的全部数据表"_s);
    m_ok = new QPushButton(u"确定(&Y)"_s, this);
    m_ok->setObjectName(u"Button1"_s);
    m_cancel = new QPushButton(u"取消"_s, this);
    m_cancel->setObjectName(u"Button2"_s);
    for (QPushButton* button : {m_create, m_ok, m_cancel}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(75);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_create);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(providerRow);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_provider, &QComboBox::currentIndexChanged, this, &TDBConfigFrm::showPage);
    connect(m_default, &QCheckBox::toggled, this, &TDBConfigFrm::applyDefaultRule);
    connect(m_fileButton, &QPushButton::clicked, this, &TDBConfigFrm::chooseFile);
    connect(m_create, &QPushButton::clicked, this, &TDBConfigFrm::createDatabase);
    connect(m_ok, &QPushButton::clicked, this, &TDBConfigFrm::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TDBConfigFrm::reject);

    fillFromSettings();
}

TDBConfigFrm::~TDBConfigFrm() = default;

void TDBConfigFrm::fillFromSettings()
{
    m_server->setText(m_configer.mssqlServer);
    m_port->setText(QString::number(m_configer.mssqlPort));
    m_database->setText(m_configer.mssqlDb);
    m_user->setText(m_configer.mssqlUser);
    m_password->setText(m_configer.mssqlPw);
    // Never stored: the dialog opens with it unticked every time.
    m_smart->setChecked(false);
    m_default->setChecked(m_configer.defaultCon);
    m_file->setText(m_configer.jetfile);
    m_fileUser->setText(m_configer.jetUser);
    m_filePassword->setText(m_configer.jetPw);
    m_dipUrl->setText(m_configer.dipUrl);
    m_dipUser->setText(m_configer.dipUser);
    const int kind = m_configer.providerIdx;
    m_provider->setCurrentIndex(kind >= 0 && kind < m_provider->count() ? kind : TConfiger::ServerKind);
    showPage(m_provider->currentIndex());
    applyDefaultRule();
}

QString TDBConfigFrm::ConnectionString() const
{
    return m_configer.ConnectionString();
}

bool TDBConfigFrm::UsesDefaultDatabase() const
{
    return m_configer.providerIdx == TConfiger::FileKind && m_configer.defaultCon;
}

void TDBConfigFrm::showPage(int index)
{
    if (index >= 0 && index < m_pages->count())
        m_pages->setCurrentIndex(index);
}

void TDBConfigFrm::applyDefaultRule()
{
    const bool useDefault = m_default->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{m_file, m_fileButton, m_fileUser, m_filePassword})
        control->setEnabled(!useDefault);
    const QColor color = palette().color(useDefault ? QPalette::Button : QPalette::Base);
    for (TlwEdit* edit : {m_file, m_fileUser, m_filePassword}) {
        QPalette colors = edit->palette();
        colors.setColor(QPalette::Disabled, QPalette::Base, color);
        colors.setColor(QPalette::Active, QPalette::Base, color);
        colors.setColor(QPalette::Inactive, QPalette::Base, color);
        edit->setPalette(colors);
    }
}

void TDBConfigFrm::chooseFile()
{
    const QString start = m_file->text().isEmpty() ? QDir::homePath() : QFileInfo(m_file->text()).absolutePath();
    const QString file = QFileDialog::getOpenFileName(this, u"选择数据库文件"_s, start,
                                                      u"SQLite 数据库文件 (*.db *.sqlite *.sqlite3);;所有文件 (*)"_s);
    if (!file.isEmpty())
        m_file->setText(QDir::toNativeSeparators(file));
}

bool TDBConfigFrm::copyToSettings(TConfiger& configer)
{
    QString error;
    const std::optional<int> port = TConfiger::ParsePort(m_port->text(), &error);
    if (!port) {
        InfoBox(error);
        m_provider->setCurrentIndex(TConfiger::ServerKind);
        m_port->setFocus();
        m_port->selectAll();
        return false;
    }
    configer.mssqlServer = m_server->text().trimmed();
    configer.mssqlPort = *port;
    configer.mssqlDb = m_database->text().trimmed();
    configer.mssqlUser = m_user->text().trimmed();
    configer.mssqlPw = m_password->text();
    configer.SmartConnect = m_smart->isChecked();
    configer.defaultCon = m_default->isChecked();
    configer.jetfile = m_file->text().trimmed();
    configer.jetUser = m_fileUser->text();
    configer.jetPw = m_filePassword->text();
    configer.dipUrl = m_dipUrl->text().trimmed();
    configer.dipUser = m_dipUser->text().trimmed();
    configer.providerIdx = m_provider->currentIndex();
    return true;
}

void TDBConfigFrm::accept()
{
    TConfiger edited = m_configer;
    if (!copyToSettings(edited))
        return;
    QString error;
    if (!edited.SaveConfig(&error)) {
        InfoBox(u"连接设置没有保存:\r\n%1"_s.arg(error));
        return;
    }
    m_configer = edited;
    QDialog::accept();
}

void TDBConfigFrm::createDatabase()
{
    TConfiger edited = m_configer;
    if (!copyToSettings(edited))
        return;
    QString connection;
    switch (edited.providerIdx) {
    case TConfiger::ServerKind:
        if (edited.mssqlServer.isEmpty() || edited.mssqlDb.isEmpty()) {
            InfoBox(u"请先填写服务器和数据库名."_s);
            return;
        }
        connection = TConfiger::ServerConnectionString(edited.mssqlServer, QString::number(edited.mssqlPort),
                                                       edited.mssqlDb, edited.mssqlUser, edited.mssqlPw);
        break;
    case TConfiger::FileKind:
        if (!edited.defaultCon && edited.jetfile.isEmpty()) {
            InfoBox(u"请先填写数据库文件."_s);
            return;
        }
        connection = TConfiger::FileConnectionString(edited.defaultCon ? AppPaths::DefaultDatabasePath()
                                                                       : QDir::fromNativeSeparators(edited.jetfile));
        break;
    default:
        InfoBox(u"通过DIP获得的连接不能在这里创建数据库, 请选择数据库服务器或数据库文件."_s);
        return;
    }

    // A connection of its own: the program's database stays as it is until OK.
    TDatabase target;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = TSchema::CreateDatabase(target, connection, &error);
    const QString where = target.DataSourceName();
    target.Release();
    QApplication::restoreOverrideCursor();
    if (!ok) {
        InfoBox(u"创建数据库失败,提示如下:\r\n%1"_s.arg(error));
        return;
    }
    InfoBox(u"数据库已经就绪: %1\r\n请点击\"确定\"保存设置并连接."_s.arg(QDir::toNativeSeparators(where)));
}

void TDBConfigFrm::keyPressEvent(QKeyEvent* event)
{
    // Enter anywhere moves on to the next control, as in every other form of the program.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && focusWidget()) {
        MoveFocusFrom(focusWidget(), event->modifiers() & Qt::ShiftModifier);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

namespace {

// One attempt with the dialog's current settings.
bool tryConnect(const TDBConfigFrm& dialog)
{
    const QString connection = dialog.ConnectionString();
    QString error;
    if (dialog.UsesDefaultDatabase()) {
        // The embedded database is the program's own: it is made when it is missing.
        if (TSchema::CreateDatabase(Database(), connection, &error))
            return true;
        Notifier().Info(u"连接时失败,提示如下:\r\n%1"_s.arg(error));
        return false;
    }
    if (!Database().Connect(connection))
        return false;
    if (TSchema::PrepareForUse(Database(), &error))
        return true;
    Database().SetConnected(false);
    Notifier().Info(u"连接时失败,提示如下:\r\n%1"_s.arg(error));
    return false;
}

} // namespace

bool ConnectDatabase(const QString& configPath)
{
    const QString path = configPath.isEmpty() ? AppPaths::ConfigFilePath() : configPath;
    const bool firstStart = !QFileInfo::exists(path);
    TDBConfigFrm dialog(nullptr, path);
    // During start-up it is the only window that matters: never behind the splash.
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (firstStart) {
        // A new installation starts on its embedded database and keeps that choice in cfg.ini.
        dialog.Configer().providerIdx = TConfiger::FileKind;
        dialog.Configer().defaultCon = true;
        dialog.Configer().SaveConfig();
        dialog.Configer().Load();
    }
    for (;;) {
        if (tryConnect(dialog))
            break;
        if (dialog.exec() != QDialog::Accepted)
            break;
        QCoreApplication::processEvents();
    }
    return Database().Connected();
}
