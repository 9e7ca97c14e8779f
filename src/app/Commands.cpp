#include "app/Commands.h"

#include "app/HelpViewer.h"
#include "app/MainFrm.h"
#include "app/MessageHelpers.h"
#include "circulation/LoanEditFrm.h"
#include "circulation/LoanQueryFrm.h"
#include "circulation/RenewEditFrm.h"
#include "circulation/ReturnEditFrm.h"
#include "holdings/BookListFrm.h"
#include "holdings/CatalogEditFrm.h"
#include "holdings/InfoListFrm.h"
#include "holdings/JournalListFrm.h"
#include "holdings/PickerFrm.h"
#include "holdings/ReaderList.h"
#include "holdings/ReaderListFrm.h"
#include "holdings/ReaderSet.h"
#include "holdings/ReaderStateEditFrm.h"
#include "project/CompanyInfoFrm.h"
#include "project/Operator.h"
#include "project/OperatorsFrm.h"
#include "project/PasswordChangerFrm.h"
#include "project/SysEditFrm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

using TKind = RCommand::TKind;

// Colours of the icon families: circulation blue, holdings green, readers orange, money gold,
// queries purple, statistics teal, today red, system grey.
const QColor Circulation(0x2e, 0x75, 0xb6);
const QColor Holdings(0x38, 0x8e, 0x3c);
const QColor Readers(0xe0, 0x7b, 0x24);
const QColor Money(0xc9, 0x9a, 0x06);
const QColor Queries(0x7b, 0x4f, 0xa6);
const QColor Statistics(0x00, 0x89, 0x7b);
const QColor Today(0xc6, 0x28, 0x28);
const QColor System(0x54, 0x6e, 0x7a);

RCommand command(const QString& name, const QString& caption, const QString& hint, int right, TKind kind, bool busy,
                 const QString& glyph, const QColor& color, const QString& theme = QString())
{
    RCommand c;
    c.Name = name;
    c.Caption = caption;
    c.Hint = hint;
    c.Right = right;
    c.Kind = kind;
    c.Busy = busy;
    c.Glyph = glyph;
    c.Color = color;
    c.ThemeIcon = theme;
    return c;
}

// Opens a file that ships beside the program (or in the installed data folder) with the desktop's
// own program for it.
void openShippedFile(const QString& name)
{
    QStringList places{QCoreApplication::applicationDirPath()};
    places += QStandardPaths::locateAll(QStandardPaths::AppDataLocation, QString(), QStandardPaths::LocateDirectory);
    for (const QString& place : std::as_const(places)) {
        const QString file = QDir(place).filePath(name);
        if (QFileInfo::exists(file)) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(file));
            return;
        }
    }
    InfoBox(u"没有找到文件 %1."_s.arg(name));
}

// Starts the first of `programs` that this desktop has.
void startFirstOf(const QStringList& programs, const QString& what)
{
    for (const QString& program : programs) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return;
    }
    InfoBox(u"没有找到可用的%1程序."_s.arg(what));
}

QStringList configuredPrograms(const char* variable, const QStringList& fallback)
{
    const QString configured = qEnvironmentVariable(variable);
    return configured.isEmpty() ? fallback : configured.split(u':', Qt::SkipEmptyParts) + fallback;
}

QList<RCommand> buildCommands()
{
    QList<RCommand> list;
    // File menu
    list << command(u"N1"_s, u"公司信息"_s, u"设置本馆的名称、地址和联系方式"_s, TRight::Company, TKind::Modal, false,
                    u"馆"_s, System)
         << command(u"N2"_s, u"操作员及权限"_s, u"管理操作员和他们的权限"_s, TRight::Operators, TKind::Modal, false,
                    u"权"_s, System)
         << command(u"N4"_s, u"选项设置"_s, u"系统选项和超期罚款标准"_s, 0, TKind::Modal, false, u"设"_s, System)
         << command(u"N6"_s, u"初始化数据..."_s, u"清除业务数据"_s, TRight::ClearData, TKind::Modal, false, u"清"_s,
                    System)
         << command(u"N7"_s, u"备份与恢复"_s, u"备份或恢复数据库"_s, TRight::Backup, TKind::Modal, false, u"备"_s, System)
         << command(u"N9"_s, u"更改密码"_s, u"更改当前操作员的密码"_s, 0, TKind::Modal, false, u"密"_s, System)
         << command(u"N10"_s, u"重新登陆"_s, u"换一位操作员登陆"_s, 0, TKind::Modal, false, u"登"_s, System)
         << command(u"N12"_s, u"退出系统"_s, u"关闭本程序"_s, 0, TKind::Other, false, u"退"_s, System);
    // Holdings and readers
    list << command(u"CatalogEditAction1"_s, u"中图分类"_s, u"浏览和维护中图分类表"_s, 0, TKind::Modal, true, u"类"_s,
                    Holdings)
         << command(u"PublisherListAction1"_s, u"出版社"_s, u"出版社资料"_s, 0, TKind::Work, false, u"版"_s, Holdings)
         << command(u"BookListAction1"_s, u"图书资料"_s, u"图书的登记、查询和维护"_s, 0, TKind::Work, true, u"书"_s,
                    Holdings)
         << command(u"JournaListAction1"_s, u"期刊资料"_s, u"期刊的登记、查询和维护"_s, 0, TKind::Work, true, u"刊"_s,
                    Holdings)
         << command(u"ReaderskindListAction1"_s, u"读者类别"_s, u"读者类别及其借阅限额"_s, 0, TKind::Work, false,
                    u"别"_s, Readers)
         << command(u"ReaderListAction1"_s, u"读者资料"_s, u"读者的登记、查询和维护"_s, 0, TKind::Work, false, u"读"_s,
                    Readers)
         << command(u"ReaderStateEditAction1"_s, u"读者状态设置"_s, u"挂失、停用或恢复读者证"_s, 0, TKind::Modal, false,
                    u"态"_s, Readers)
         << command(u"ChargeEditAction1"_s, u"读者押金充值"_s, u"为读者充值押金"_s, 0, TKind::Modal, false, u"充"_s,
                    Money);
    // Circulation
    list << command(u"LoanAction1"_s, u"图书期刊借阅"_s, u"为读者办理图书和期刊的借出"_s, 0, TKind::Work, false,
                    u"借"_s, Circulation)
         << command(u"ReturnEditAction1"_s, u"图书期刊归还"_s, u"办理归还, 计算超期罚款"_s, 0, TKind::Work, false,
                    u"还"_s, Circulation)
         << command(u"RenewEditAction1"_s, u"图书期刊续借"_s, u"为未到期的借阅办理续借"_s, 0, TKind::Work, false,
                    u"续"_s, Circulation)
         << command(u"BookoffEditAction1"_s, u"图书注销"_s, u"注销遗失或损坏的图书并记录赔偿"_s, 0, TKind::Work, false,
                    u"销"_s, Circulation)
         << command(u"JouroffEditAction1"_s, u"期刊注销"_s, u"注销遗失或损坏的期刊并记录赔偿"_s, 0, TKind::Work,
                    false, u"注"_s, Circulation)
         << command(u"FineQueryAction1"_s, u"罚款管理"_s, u"查询和收取罚款"_s, 0, TKind::Work, false, u"罚"_s, Money);
    // Queries, rankings and totals
    list << command(u"LoanQueryAction1"_s, u"图书期刊借阅查询"_s, u"按条件查询借阅记录"_s, 0, TKind::Work, false,
                    u"查"_s, Queries)
         << command(u"WriteoffQueryAction1"_s, u"图书期刊注销查询"_s, u"按条件查询注销记录"_s, 0, TKind::Work, false,
                    u"询"_s, Queries)
         << command(u"ChargeQueryAction1"_s, u"读者充值记录查询"_s, u"查询读者的押金充值记录"_s, 0, TKind::Work, false,
                    u"值"_s, Queries);
    const QList<std::pair<QString, QString>> rankings{
        {u"BookLoanCountAction1"_s, u"图书借阅排名"_s},       {u"JourLoanCountAction1"_s, u"期刊借阅排名"_s},
        {u"ReaderLoanCountAction1"_s, u"读者借阅排名"_s},     {u"ReaderdeptCountAction1"_s, u"读者部门借阅排名"_s},
        {u"ReaderkindCountAction1"_s, u"读者类别借阅排名"_s},
    };
    for (const auto& [name, caption] : rankings)
        list << command(name, caption, u"按借阅次数排名"_s, 0, TKind::Work, false, u"排"_s, Statistics);
    const QList<std::pair<QString, QString>> totals{
        {u"BookTotalAction1"_s, u"图书分类统计"_s},
        {u"JourTotalAction1"_s, u"期刊分类统计"_s},
        {u"ReaderTotalAction1"_s, u"读者分类统计"_s},
    };
    for (const auto& [name, caption] : totals)
        list << command(name, caption, u"按分类汇总数量"_s, 0, TKind::Work, false, u"统"_s, Statistics);
    // Today
    const QList<std::pair<QString, QString>> today{
        {u"TodayBookLoanAction1"_s, u"今日借出图书"_s},    {u"TodayJourLoanAction1"_s, u"今日借出期刊"_s},
        {u"TodayBookReturnAction1"_s, u"今日归还图书"_s},  {u"TodayJourReturnAction1"_s, u"今日归还期刊"_s},
        {u"TodayBookOffAction1"_s, u"今日注销图书"_s},     {u"TodayJourOffAction1"_s, u"今日注销期刊"_s},
        {u"TodayBookAddAction1"_s, u"今日新增图书"_s},     {u"TodayJourAddAction1"_s, u"今日新增期刊"_s},
        {u"TodayReaderAddAction1"_s, u"今日新增读者"_s},   {u"TodayBookOverAction1"_s, u"今日到期图书"_s},
        {u"TodayJourOverAction1"_s, u"今日到期期刊"_s},    {u"TodayBookOver3Action1"_s, u"三日内到期图书"_s},
        {u"TodayJourOver3Action1"_s, u"三日内到期期刊"_s}, {u"TodayFineQueryAction1"_s, u"今日罚款记录"_s},
        {u"TodayChargeAction1"_s, u"今日充值记录"_s},
    };
    for (const auto& [name, caption] : today)
        list << command(name, caption, caption, 0, TKind::Work, false, u"今"_s, Today);
    // Tools and help
    list << command(u"N27"_s, u"记事本"_s, u"打开文本编辑器"_s, 0, TKind::Other, false, u"记"_s, System,
                    u"accessories-text-editor"_s)
         << command(u"N28"_s, u"计算器"_s, u"打开计算器"_s, 0, TKind::Other, false, u"算"_s, System,
                    u"accessories-calculator"_s)
         << command(u"N42"_s, u"设置..."_s, u"设置工具菜单"_s, TRight::ToolsMenu, TKind::Modal, false, u"工"_s, System)
         << command(u"N13"_s, u"帮助文件"_s, u"打开帮助"_s, 0, TKind::Other, false, u"助"_s, System,
                    u"help-contents"_s)
         << command(u"N14"_s, u"常见问题"_s, QString(), 0, TKind::Other, false, u"问"_s, System)
         << command(u"N15"_s, u"每日一贴"_s, u"每日一贴"_s, 0, TKind::Modal, false, u"贴"_s, System)
         << command(u"N17"_s, u"自述文件"_s, u"打开自述文件"_s, 0, TKind::Other, false, u"述"_s, System)
         << command(u"N18"_s, u"最新功能"_s, u"本版本的新功能"_s, 0, TKind::Other, false, u"新"_s, System)
         << command(u"N20"_s, u"澄岳官方网站"_s, u"访问澄岳官方网站"_s, 0, TKind::Other, false, u"网"_s, System)
         << command(u"N22"_s, u"在线反馈"_s, u"把您的意见告诉我们"_s, 0, TKind::Modal, false, u"馈"_s, System)
         << command(u"N26"_s, u"关于..."_s, u"关于本程序"_s, 0, TKind::Modal, false, u"关"_s, System);

    auto set = [&list](const QString& name, std::function<void(QWidget*)> run) {
        for (RCommand& c : list)
            if (c.Name == name)
                c.Run = std::move(run);
    };
    set(u"N12"_s, [](QWidget* main) {
        if (main)
            main->close();
    });
    set(u"N1"_s, [](QWidget* main) { TCompanyInfoFrm::CompanyCommand(main); });
    set(u"N2"_s, [](QWidget* main) { TOperatorsFrm::Execute(main); });
    set(u"N4"_s, [](QWidget* main) { TSysEditFrm::Execute(main); });
    set(u"N9"_s, [](QWidget* main) { ChangePassword(CurrentOperator(), main); });
    set(u"N10"_s, [](QWidget* main) {
        if (auto* window = qobject_cast<TmainFrm*>(main))
            window->Login(false);
    });
    set(u"PublisherListAction1"_s, [](QWidget* main) { TInfoListFrm::ShowPublishers(main); });
    set(u"BookListAction1"_s, [](QWidget* main) { TBookListFrm::ShowBooks(main); });
    set(u"JournaListAction1"_s, [](QWidget* main) { TJournalListFrm::ShowJournals(main); });
    set(u"LoanAction1"_s, [](QWidget* main) { TLoanEditFrm::Execute(main); });
    set(u"ReturnEditAction1"_s, [](QWidget* main) { TReturnEditFrm::Execute(main); });
    set(u"RenewEditAction1"_s, [](QWidget* main) { TRenewEditFrm::Execute(main); });
    set(u"ReaderskindListAction1"_s, [](QWidget* main) { TInfoListFrm::ShowReaderskinds(main); });
    set(u"LoanQueryAction1"_s, [](QWidget* main) { TLoanQueryFrm::ShowLoanQuery(main); });
    set(u"ReaderListAction1"_s, [](QWidget* main) { TReaderListFrm::ShowReaders(main); });
    set(u"CatalogEditAction1"_s, [](QWidget* main) { ShowCatalog({}, main); });
    set(u"ReaderStateEditAction1"_s, [](QWidget* main) {
        EditReaderState([main](RReader& reader) { return PickReader(reader, main); }, main);
    });
    set(u"N13"_s, [](QWidget*) { THelpViewer::ShowTopic(u"main"_s); });
    set(u"N14"_s, [](QWidget*) {});
    set(u"N17"_s, [](QWidget*) { openShippedFile(u"readme.txt"_s); });
    set(u"N18"_s, [](QWidget*) { openShippedFile(u"whatsnew.txt"_s); });
    set(u"N27"_s, [](QWidget*) {
        startFirstOf(configuredPrograms("QUORIN_EDITOR", {u"gnome-text-editor"_s, u"gedit"_s, u"kate"_s, u"kwrite"_s,
                                                          u"mousepad"_s, u"pluma"_s, u"xed"_s, u"leafpad"_s,
                                                          u"featherpad"_s, u"xedit"_s}),
                     u"文本编辑"_s);
    });
    set(u"N28"_s, [](QWidget*) {
        startFirstOf(configuredPrograms("QUORIN_CALCULATOR", {u"gnome-calculator"_s, u"kcalc"_s, u"galculator"_s,
                                                              u"mate-calc"_s, u"qalculate-gtk"_s, u"xcalc"_s}),
                     u"计算器"_s);
    });
    return list;
}

} // namespace

const QList<RCommand>& Commands()
{
    static const QList<RCommand> list = buildCommands();
    return list;
}

const RCommand* FindCommand(const QString& name)
{
    static const QHash<QString, qsizetype> index = [] {
        QHash<QString, qsizetype> map;
        for (qsizetype i = 0; i < Commands().size(); ++i)
            map.insert(Commands().at(i).Name, i);
        return map;
    }();
    const auto found = index.constFind(name);
    return found == index.constEnd() ? nullptr : &Commands().at(*found);
}

const QList<RMenu>& MainMenu()
{
    static const QList<RMenu> menus{
        {u"文件(&F)"_s,
         {u"N1"_s, u"N2"_s, u"N4"_s, u"-"_s, u"N6"_s, u"N7"_s, u"-"_s, u"N9"_s, u"N10"_s, u"-"_s, u"N12"_s}},
        {u"资料(&O)"_s,
         {u"CatalogEditAction1"_s, u"PublisherListAction1"_s, u"-"_s, u"BookListAction1"_s, u"JournaListAction1"_s,
          u"-"_s, u"ReaderskindListAction1"_s, u"ReaderListAction1"_s, u"ReaderStateEditAction1"_s,
          u"ChargeEditAction1"_s}},
        {u"借阅(&Z)"_s,
         {u"LoanAction1"_s, u"ReturnEditAction1"_s, u"RenewEditAction1"_s, u"-"_s, u"BookoffEditAction1"_s,
          u"JouroffEditAction1"_s, u"-"_s, u"FineQueryAction1"_s}},
        {u"查询(&V)"_s,
         {u"LoanQueryAction1"_s, u"WriteoffQueryAction1"_s, u"ChargeQueryAction1"_s, u"-"_s, u"BookLoanCountAction1"_s,
          u"JourLoanCountAction1"_s, u"ReaderLoanCountAction1"_s, u"ReaderdeptCountAction1"_s,
          u"ReaderkindCountAction1"_s, u"-"_s, u"BookTotalAction1"_s, u"JourTotalAction1"_s,
          u"ReaderTotalAction1"_s}},
        {u"今日(D)"_s,
         {u"TodayBookLoanAction1"_s, u"TodayJourLoanAction1"_s, u"-"_s, u"TodayBookReturnAction1"_s,
          u"TodayJourReturnAction1"_s, u"-"_s, u"TodayBookOffAction1"_s, u"TodayJourOffAction1"_s, u"-"_s,
          u"TodayBookAddAction1"_s, u"TodayJourAddAction1"_s, u"TodayReaderAddAction1"_s, u"-"_s,
          u"TodayBookOverAction1"_s, u"TodayJourOverAction1"_s, u"TodayBookOver3Action1"_s,
          u"TodayJourOver3Action1"_s, u"-"_s, u"TodayFineQueryAction1"_s, u"TodayChargeAction1"_s}},
        {u"工具(&T)"_s, {u"N27"_s, u"N28"_s, u"-"_s, u"N42"_s, u"-"_s, u"*"_s}},
        {u"帮助(&H)"_s,
         {u"N13"_s, u"N14"_s, u"N15"_s, u"-"_s, u"N17"_s, u"N18"_s, u"-"_s, u"N20"_s, u"N22"_s, u"-"_s, u"N26"_s}},
    };
    return menus;
}

QStringList CirculationDesktop()
{
    return {u"LoanAction1"_s,         u"ReturnEditAction1"_s,  u"RenewEditAction1"_s,      u"BookoffEditAction1"_s,
            u"JouroffEditAction1"_s,  u"ChargeEditAction1"_s,  u"FineQueryAction1"_s,      u"ReaderStateEditAction1"_s,
            u"LoanQueryAction1"_s,    u"WriteoffQueryAction1"_s};
}

QStringList DataDesktop()
{
    return {u"BookListAction1"_s, u"JournaListAction1"_s, u"ReaderListAction1"_s, u"ReaderskindListAction1"_s,
            u"CatalogEditAction1"_s};
}

QIcon PaintedIcon(const QString& glyph, const QColor& color)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF tile(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
        QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
        fill.setColorAt(0, color.lighter(135));
        fill.setColorAt(1, color.darker(110));
        QPainterPath path;
        path.addRoundedRect(tile, size * 0.2, size * 0.2);
        painter.fillPath(path, fill);
        painter.setPen(QPen(color.darker(140), qMax(1.0, size / 32.0)));
        painter.drawPath(path);
        QFont font;
        font.setFamilies({u"Noto Sans CJK SC"_s, u"Noto Sans SC"_s, u"WenQuanYi Micro Hei"_s});
        font.setBold(true);
        font.setPixelSize(qRound(size * 0.56));
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(tile, Qt::AlignCenter, glyph);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

QIcon CommandIcon(const RCommand& command)
{
    if (!command.ThemeIcon.isEmpty() && QIcon::hasThemeIcon(command.ThemeIcon))
        return QIcon::fromTheme(command.ThemeIcon);
    return PaintedIcon(command.Glyph, command.Color);
}

QString LaterText()
{
    return u"该功能将在后续版本中提供."_s;
}
