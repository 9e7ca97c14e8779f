#include "app/LwComboBox.h"
#include "app/LwDateTimePicker.h"
#include "app/LwImgBtn.h"
#include "app/LwLabel.h"
#include "app/LwListView.h"
#include "app/LwMemo.h"
#include "app/LwPopupMenu.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

using TPositions = QList<QPoint>;

namespace {

const QColor Cyan(0, 255, 255);
const QColor Yellow(255, 255, 0);

QPixmap filled(const QColor& color)
{
    QPixmap picture(16, 16);
    picture.fill(color);
    return picture;
}

QStringList captions(const QMenu* menu)
{
    QStringList result;
    for (const QAction* item : menu->actions())
        result << (item->isSeparator() ? u"-"_s : item->text());
    return result;
}

// A desktop of three items at known places; `selected` and `current` are rows.
struct TDesktop
{
    TDesktop(const TPositions& places, const QList<int>& selected, int current)
    {
        View.resize(600, 400);
        for (int row = 0; row < places.size(); ++row) {
            QAction action(u"项目%1"_s.arg(row), nullptr);
            action.setObjectName(u"Action%1"_s.arg(row));
            View.AddAction(&action);
        }
        for (int row = 0; row < places.size(); ++row)
            View.SetItemPosition(View.item(row), places.at(row));
        if (current >= 0)
            View.setCurrentItem(View.item(current), QItemSelectionModel::NoUpdate);
        View.clearSelection();
        for (int row : selected)
            View.item(row)->setSelected(true);
    }

    TPositions Positions() const
    {
        TPositions result;
        for (int row = 0; row < View.count(); ++row)
            result << View.ItemPosition(View.item(row));
        return result;
    }

    TlwListView View;
};

} // namespace

class tst_LwControls : public QObject
{
    Q_OBJECT

private slots:
    // Date picker
    void pickerStartsUnticked();
    void pickerWithoutCheckBoxNeverNull();
    void pickerReadsParts();
    void pickerWritesNull_data();
    void pickerWritesNull();
    void pickerTicksWhenOperatorChangesDate();
    void pickerSpaceToggles();
    void pickerFocusColour();

    // Label
    void labelReadsDate_data();
    void labelReadsDate();
    void labelReadsNumber_data();
    void labelReadsNumber();
    void labelWrites();

    // Memo and combo box
    void memoColours_data();
    void memoColours();
    void comboDeleteClearsFixedList();
    void comboEditableHasNoCompleter();
    void comboEditableTurnsCyan();

    // Icon desktop
    void listViewItemsFromActions();
    void listViewActivatesByName();
    void listViewAlign_data();
    void listViewAlign();
    void listViewPositionsHold();

    // Picture button
    void imgBtnHover_data();
    void imgBtnHover();
    void imgBtnClick();

    // Popup menu
    void popupItemsInOrder();
    void popupSeparatorsInSubmenu();
    void popupClear();
};

void tst_LwControls::pickerStartsUnticked()
{
    TlwDateTimePicker picker;
    picker.SetShowCheckBox(true);
    QVERIFY(!picker.Checked());
    QCOMPARE(picker.date(), QDate::currentDate());
    QCOMPARE(picker.AsDate(), QVariant());
    QCOMPARE(picker.AsTime(), QVariant());
    QCOMPARE(picker.AsDateTime(), QVariant());
    QCOMPARE(picker.displayFormat(), u"yyyy-MM-dd"_s);

    picker.SetChecked(true);
    QCOMPARE(picker.AsDate(), QVariant(QDate::currentDate().startOfDay()));
}

void tst_LwControls::pickerWithoutCheckBoxNeverNull()
{
    TlwDateTimePicker picker;
    QVERIFY(!picker.ShowCheckBox());
    QVERIFY(!picker.findChild<QCheckBox*>()->isVisible());
    QCOMPARE(picker.AsDate(), QVariant(QDate::currentDate().startOfDay()));

    picker.SetAsDate(QVariant());
    QCOMPARE(picker.date(), QDate::currentDate());
    QVERIFY(!picker.AsDate().isNull());
}

void tst_LwControls::pickerReadsParts()
{
    TlwDateTimePicker picker;
    picker.SetShowCheckBox(true);
    picker.SetAsDateTime(QDateTime(QDate(2013, 1, 17), QTime(8, 5, 9)));
    QVERIFY(picker.Checked());
    QCOMPARE(picker.AsDate(), QVariant(QDateTime(QDate(2013, 1, 17), QTime(0, 0))));
    QCOMPARE(picker.AsTime(), QVariant(QTime(8, 5, 9)));
    QCOMPARE(picker.AsDateTime(), QVariant(QDateTime(QDate(2013, 1, 17), QTime(8, 5, 9))));
    QCOMPARE(picker.text(), u"2013-01-17"_s);

    // Writing the date keeps the time of day, writing the time keeps the date.
    picker.SetAsDate(QDate(2014, 3, 1));
    QCOMPARE(picker.AsDateTime(), QVariant(QDateTime(QDate(2014, 3, 1), QTime(8, 5, 9))));
    picker.SetAsTime(QTime(17, 30));
    QCOMPARE(picker.AsDateTime(), QVariant(QDateTime(QDate(2014, 3, 1), QTime(17, 30))));

    // Unticked by hand: null again.
    picker.SetChecked(false);
    QCOMPARE(picker.AsDateTime(), QVariant());
}

void tst_LwControls::pickerWritesNull_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("null date") << u"date"_s;
    QTest::newRow("null time") << u"time"_s;
    QTest::newRow("null date and time") << u"datetime"_s;
    QTest::newRow("clear") << u"clear"_s;
}

void tst_LwControls::pickerWritesNull()
{
    QFETCH(QString, how);

    TlwDateTimePicker picker;
    picker.SetShowCheckBox(true);
    picker.SetAsDateTime(QDateTime(QDate(2013, 1, 17), QTime(8, 5, 9)));
    QSignalSpy unticked(&picker, &TlwDateTimePicker::checkedChanged);

    if (how == u"date"_s)
        picker.SetAsDate(QVariant());
    else if (how == u"time"_s)
        picker.SetAsTime(QVariant());
    else if (how == u"datetime"_s)
        picker.SetAsDateTime(QVariant());
    else
        picker.Clear();

    QVERIFY(!picker.Checked());
    QCOMPARE(unticked.size(), 1);
    QCOMPARE(picker.AsDateTime(), QVariant());
    QCOMPARE(picker.date(), QDate::currentDate());
    QVERIFY(qAbs(picker.time().secsTo(QTime::currentTime())) < 5);
}

void tst_LwControls::pickerTicksWhenOperatorChangesDate()
{
    TlwDateTimePicker picker;
    picker.SetShowCheckBox(true);
    picker.SetAsDate(QDate(2013, 1, 17));
    picker.SetChecked(false);
    picker.setCurrentSection(QDateTimeEdit::DaySection);

    QTest::keyClick(&picker, Qt::Key_Up);
    QVERIFY(picker.Checked());
    QCOMPARE(picker.AsDate(), QVariant(QDate(2013, 1, 18).startOfDay()));
}

void tst_LwControls::pickerSpaceToggles()
{
    TlwDateTimePicker picker;
    picker.SetShowCheckBox(true);
    QTest::keyClick(&picker, Qt::Key_Space);
    QVERIFY(picker.Checked());
    QTest::keyClick(&picker, Qt::Key_Space);
    QVERIFY(!picker.Checked());

    // Without a box there is nothing to toggle and the date stays a value.
    TlwDateTimePicker plain;
    QTest::keyClick(&plain, Qt::Key_Space);
    QVERIFY(!plain.AsDate().isNull());
}

void tst_LwControls::pickerFocusColour()
{
    QWidget window;
    auto* picker = new TlwDateTimePicker(&window);
    auto* other = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(picker);
    layout->addWidget(other);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    picker->setFocus();
    QTRY_VERIFY(picker->hasFocus());
    QCOMPARE(picker->palette().color(QPalette::Base), Cyan);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(picker->palette().color(QPalette::Base), QColor(Qt::white));
}

void tst_LwControls::labelReadsDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("date");

    const QVariant day(QDate(2013, 1, 17).startOfDay());
    QTest::newRow("date") << u"2013-01-17"_s << day;
    QTest::newRow("short month") << u"2013-1-17"_s << day;
    QTest::newRow("date and time") << u"2013-01-17 08:30:00"_s << day;
    QTest::newRow("empty") << QString() << QVariant();
    QTest::newRow("no such day") << u"2013-02-30"_s << QVariant();
    QTest::newRow("words") << u"借出日期"_s << QVariant();
    QTest::newRow("date and rubbish") << u"2013-01-17 abc"_s << QVariant();
}

void tst_LwControls::labelReadsDate()
{
    QFETCH(QString, text);
    QFETCH(QVariant, date);

    TlwLabel label(text);
    QCOMPARE(label.AsDate(), date);
}

void tst_LwControls::labelReadsNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("number");

    QTest::newRow("whole") << u"12"_s << QVariant(12.0);
    QTest::newRow("amount") << u"0.50"_s << QVariant(0.5);
    QTest::newRow("negative") << u"-3.25"_s << QVariant(-3.25);
    QTest::newRow("empty") << QString() << QVariant();
    QTest::newRow("with unit") << u"12元"_s << QVariant();
    QTest::newRow("infinity") << u"inf"_s << QVariant();
}

void tst_LwControls::labelReadsNumber()
{
    QFETCH(QString, text);
    QFETCH(QVariant, number);

    TlwLabel label(text);
    QCOMPARE(label.AsNumber(), number);
}

void tst_LwControls::labelWrites()
{
    TlwLabel label(u"旧"_s);
    label.SetAsDate(QDateTime(QDate(2013, 1, 17), QTime(8, 30)));
    QCOMPARE(label.text(), u"2013-01-17"_s);
    label.SetAsDate(QVariant());
    QCOMPARE(label.text(), QString());
    label.SetAsNumber(2.5);
    QCOMPARE(label.text(), u"2.5"_s);
    label.SetAsNumber(0);
    QCOMPARE(label.text(), u"0"_s);
    label.SetAsNumber(QVariant());
    QCOMPARE(label.text(), QString());
    label.SetText(u"共 3 本"_s);
    label.Clear();
    QCOMPARE(label.text(), QString());
}

void tst_LwControls::memoColours_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QColor>("focused");

    QTest::newRow("editable: cyan") << false << Cyan;
    QTest::newRow("read-only: yellow") << true << Yellow;
}

void tst_LwControls::memoColours()
{
    QFETCH(bool, readOnly);
    QFETCH(QColor, focused);

    QWidget window;
    auto* memo = new TlwMemo(&window);
    auto* other = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(memo);
    layout->addWidget(other);
    memo->setReadOnly(readOnly);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    memo->setFocus();
    QTRY_VERIFY(memo->hasFocus());
    QCOMPARE(memo->palette().color(QPalette::Base), focused);
    // Tab leaves the memo instead of typing a tab into it.
    QTest::keyClick(memo, Qt::Key_Tab);
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(memo->palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(!memo->Text().contains(u'\t'));
}

void tst_LwControls::comboDeleteClearsFixedList()
{
    TlwComboBox combo;
    combo.addItems({u"学生"_s, u"教师"_s});
    combo.setCurrentIndex(1);
    QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);

    QTest::keyClick(&combo, Qt::Key_Delete);
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(changed.size(), 1);
}

void tst_LwControls::comboEditableHasNoCompleter()
{
    // However it became editable.
    TlwComboBox viaOwn;
    viaOwn.SetEditable(true);
    QVERIFY(!viaOwn.lineEdit()->completer());

    TlwComboBox viaQt;
    viaQt.addItems({u"sa"_s, u"librarian"_s});
    viaQt.setEditable(true);
    viaQt.show();
    QTRY_VERIFY(!viaQt.lineEdit()->completer());
}

void tst_LwControls::comboEditableTurnsCyan()
{
    QWidget window;
    auto* combo = new TlwComboBox(&window);
    combo->SetEditable(true);
    auto* other = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(combo);
    layout->addWidget(other);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    combo->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    QCOMPARE(combo->lineEdit()->palette().color(QPalette::Base), Cyan);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(combo->lineEdit()->palette().color(QPalette::Base), QColor(Qt::white));
}

void tst_LwControls::listViewItemsFromActions()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::red);
    QAction reader(QIcon(picture), u"读者资料(&R)"_s, nullptr);
    reader.setObjectName(u"ReaderListAction1"_s);
    reader.setStatusTip(u"登记和查找读者"_s);
    QAction books(u"图书资料"_s, nullptr);
    books.setObjectName(u"BookListAction1"_s);

    TlwListView view;
    QListWidgetItem* first = view.AddAction(&reader);
    view.AddAction(&books);
    QCOMPARE(view.count(), 2);
    QCOMPARE(first->text(), u"读者资料(R)"_s);
    QVERIFY(!first->icon().isNull());
    QCOMPARE(first->statusTip(), u"登记和查找读者"_s);
    QCOMPARE(TlwListView::ActionName(first), u"ReaderListAction1"_s);
    QCOMPARE(TlwListView::ActionName(view.item(1)), u"BookListAction1"_s);
    QCOMPARE(view.FindAction(u"BookListAction1"_s), view.item(1));
    QCOMPARE(view.FindAction(u"NoSuchAction1"_s), nullptr);
    QVERIFY(view.selectionMode() == QAbstractItemView::ExtendedSelection);
}

void tst_LwControls::listViewActivatesByName()
{
    QAction reader(u"读者资料"_s, nullptr);
    reader.setObjectName(u"ReaderListAction1"_s);
    TlwListView view;
    view.resize(400, 300);
    view.AddAction(&reader);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy activated(&view, &TlwListView::actionActivated);

    const QPoint centre = view.visualItemRect(view.item(0)).center();
    // The first click of the two, then the second that the system reports as a double click.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTRY_COMPARE(activated.size(), 1);
    QCOMPARE(activated.first().first().toString(), u"ReaderListAction1"_s);
}

void tst_LwControls::listViewAlign_data()
{
    QTest::addColumn<bool>("top");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("current");
    QTest::addColumn<TPositions>("expected");

    // Three icons at (10,10), (150,60), (300,120).
    QTest::newRow("top: one selected does nothing")
        << true << QList<int>{1} << 1 << TPositions{{10, 10}, {150, 60}, {300, 120}};
    QTest::newRow("left: one selected does nothing")
        << false << QList<int>{2} << 2 << TPositions{{10, 10}, {150, 60}, {300, 120}};
    QTest::newRow("top: to the focused item")
        << true << QList<int>{0, 1, 2} << 1 << TPositions{{10, 60}, {150, 60}, {300, 60}};
    QTest::newRow("top: unselected items stay")
        << true << QList<int>{0, 2} << 2 << TPositions{{10, 120}, {150, 60}, {300, 120}};
    QTest::newRow("left: to the focused item")
        << false << QList<int>{0, 1, 2} << 2 << TPositions{{300, 10}, {300, 60}, {300, 120}};
    QTest::newRow("left: focus outside the selection, first selected leads")
        << false << QList<int>{1, 2} << 0 << TPositions{{10, 10}, {150, 60}, {150, 120}};
}

void tst_LwControls::listViewAlign()
{
    QFETCH(bool, top);
    QFETCH(QList<int>, selected);
    QFETCH(int, current);
    QFETCH(TPositions, expected);

    TDesktop desktop({{10, 10}, {150, 60}, {300, 120}}, selected, current);
    QCOMPARE(desktop.View.selectedItems().size(), selected.size());
    if (top)
        desktop.View.AlignTop();
    else
        desktop.View.AlignLeft();
    QCOMPARE(desktop.Positions(), expected);
}

void tst_LwControls::listViewPositionsHold()
{
    TDesktop desktop({{120, 40}, {10, 10}}, {}, -1);
    desktop.View.show();
    QVERIFY(QTest::qWaitForWindowExposed(&desktop.View));
    desktop.View.resize(500, 300);
    QApplication::processEvents();
    QCOMPARE(desktop.Positions(), (TPositions{{120, 40}, {10, 10}}));
    // Where it is drawn follows where it was put.
    QCOMPARE(desktop.View.visualItemRect(desktop.View.item(0)).topLeft(), QPoint(120, 40));
}

void tst_LwControls::imgBtnHover_data()
{
    QTest::addColumn<bool>("hover");
    QTest::addColumn<QColor>("whileOver");

    QTest::newRow("hover on: hover picture while over") << true << QColor(Qt::red);
    QTest::newRow("hover off: picture stays") << false << QColor(Qt::blue);
}

void tst_LwControls::imgBtnHover()
{
    QFETCH(bool, hover);
    QFETCH(QColor, whileOver);

    TlwImgBtn button;
    QVERIFY(!button.Hover());
    button.SetHoverPicture(filled(Qt::red));
    button.SetNormalPicture(filled(Qt::blue));
    button.SetHover(hover);
    button.ShowNormal();
    QSignalSpy entered(&button, &TlwImgBtn::mouseEntered);
    QSignalSpy left(&button, &TlwImgBtn::mouseLeft);

    QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
    QApplication::sendEvent(&button, &enter);
    QCOMPARE(button.pixmap().toImage().pixelColor(0, 0), whileOver);
    QCOMPARE(entered.size(), 1);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    QCOMPARE(button.pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));
    QCOMPARE(left.size(), 1);
}

void tst_LwControls::imgBtnClick()
{
    TlwImgBtn button;
    button.resize(40, 40);
    button.show();
    QSignalSpy clicked(&button, &TlwImgBtn::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(clicked.size(), 1);
    QTest::mouseClick(&button, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(clicked.size(), 1);
    // Pressed on the picture, released outside it: no click.
    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(90, 90));
    QCOMPARE(clicked.size(), 1);
}

void tst_LwControls::popupItemsInOrder()
{
    TlwPopupMenu menu;
    QStringList ran;
    menu.AddItem(u"顶对齐"_s, false, [&ran] { ran << u"top"_s; });
    menu.AddItem(u"左对齐"_s, false, [&ran] { ran << u"left"_s; });
    menu.AddItem(u"打开"_s, true, [&ran] { ran << u"open"_s; });
    QCOMPARE(captions(&menu), (QStringList{u"打开"_s, u"顶对齐"_s, u"左对齐"_s}));

    menu.AddSeparator(1);
    menu.AddSeparator(-1);
    menu.AddSeparator(99);
    QCOMPARE(captions(&menu), (QStringList{u"打开"_s, u"-"_s, u"顶对齐"_s, u"左对齐"_s, u"-"_s, u"-"_s}));

    menu.actions().at(3)->trigger();
    menu.actions().at(0)->trigger();
    QCOMPARE(ran, (QStringList{u"left"_s, u"open"_s}));

    // An item without a handler is allowed and does nothing.
    QAction* idle = menu.AddItem(u"设置我的桌面"_s, false, nullptr);
    idle->trigger();
    QCOMPARE(ran.size(), 2);
}

void tst_LwControls::popupSeparatorsInSubmenu()
{
    TlwPopupMenu menu;
    QMenu* arrange = menu.addMenu(u"排列"_s);
    arrange->addAction(u"水平均距"_s);
    arrange->addAction(u"垂直均距"_s);
    menu.AddSeparator(1, arrange);
    QCOMPARE(captions(arrange), (QStringList{u"水平均距"_s, u"-"_s, u"垂直均距"_s}));
    QCOMPARE(captions(&menu), QStringList{u"排列"_s});
}

void tst_LwControls::popupClear()
{
    TlwPopupMenu menu;
    QPointer<QAction> item = menu.AddItem(u"顶对齐"_s, false, [] {});
    QPointer<QAction> separator = menu.AddSeparator();
    QPointer<QMenu> submenu = menu.addMenu(u"排列"_s);
    QAction shared(u"共用"_s, nullptr);
    menu.addAction(&shared);

    menu.ClearItems();
    QVERIFY(menu.actions().isEmpty());
    QVERIFY(item.isNull());
    QVERIFY(separator.isNull());
    QVERIFY(submenu.isNull());
    // An action the menu only showed is not the menu's to destroy.
    QCOMPARE(shared.text(), u"共用"_s);
}

QTEST_MAIN(tst_LwControls)
#include "tst_lwcontrols.moc"
