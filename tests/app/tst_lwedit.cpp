#include "app/ADlgFrm.h"
#include "app/LwComboBox.h"
#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "data/DbError.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TlwEdit::TEditType)

namespace {

// Types `keys` into `edit` one key at a time; "\b" is Backspace.
void type(QWidget* edit, const QString& keys)
{
    for (const QChar key : keys) {
        if (key == u'\b') {
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else if (key.unicode() < 128) {
            QTest::keyClicks(edit, QString(key));
        } else {
            // What a keyboard layout sends for a character beyond ASCII: no key code, just the text.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(key));
            QApplication::sendEvent(edit, &press);
        }
    }
}

// A dialog with the controls an operator moves through with Enter, in tab order.
class TFormDlg : public TADlgFrm
{
public:
    TFormDlg()
    {
        setObjectName(u"FormDlgFrm"_s);
        Code = new TlwEdit(Body());
        Name = new TlwEdit(Body());
        Kind = new TlwComboBox(Body());
        Kind->addItems({u"学生"_s, u"教师"_s});
        Date = new TlwDateTimePicker(Body());
        Plain = new QLineEdit(Body());
        // A button of the dialog's own: Qt would make it the default button and press it on Enter.
        Browse = new QPushButton(u"浏览..."_s, Body());
        auto* layout = new QVBoxLayout(Body());
        for (QWidget* control : std::initializer_list<QWidget*>{Code, Name, Kind, Date, Plain, Browse})
            layout->addWidget(control);
    }

    TlwEdit* Code;
    TlwEdit* Name;
    TlwComboBox* Kind;
    TlwDateTimePicker* Date;
    QLineEdit* Plain;
    QPushButton* Browse;
};

} // namespace

class tst_LwEdit : public QObject
{
    Q_OBJECT

private slots:
    void keyRules_data();
    void keyRules();
    void readNumbers_data();
    void readNumbers();
    void readDates_data();
    void readDates();
    void conversionErrors_data();
    void conversionErrors();
    void writeValues();
    void asVariant_data();
    void asVariant();
    void focusColours_data();
    void focusColours();

    void enterMovesThroughDialog();
    void shiftEnterMovesBack();
    void enterNeverClosesDialog();
    void enterPressesFocusedButton();
    void enterWithoutTabOnEnter();
};

void tst_LwEdit::keyRules_data()
{
    QTest::addColumn<TlwEdit::TEditType>("editType");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");

    QTest::newRow("number: 0 then 0 refused") << TlwEdit::etNumber << u"00"_s << u"0"_s;
    QTest::newRow("number: 0 then . accepted") << TlwEdit::etNumber << u"0."_s << u"0."_s;
    QTest::newRow("number: 0. then 0 accepted") << TlwEdit::etNumber << u"0.0"_s << u"0.0"_s;
    QTest::newRow("number: . in empty refused") << TlwEdit::etNumber << u".5"_s << u"5"_s;
    QTest::newRow("number: second . refused") << TlwEdit::etNumber << u"1.2.3"_s << u"1.23"_s;
    QTest::newRow("number: - refused") << TlwEdit::etNumber << u"-12"_s << u"12"_s;
    QTest::newRow("number: - refused after digits") << TlwEdit::etNumber << u"12-"_s << u"12"_s;
    QTest::newRow("number: zeros after other digits") << TlwEdit::etNumber << u"100"_s << u"100"_s;
    QTest::newRow("number: only a second 0 is refused") << TlwEdit::etNumber << u"05"_s << u"05"_s;
    QTest::newRow("number: letters and spaces refused") << TlwEdit::etNumber << u"1a 2e3"_s << u"123"_s;
    QTest::newRow("number: full-width digit refused") << TlwEdit::etNumber << u"1２"_s << u"1"_s;
    QTest::newRow("number: backspace then . refused") << TlwEdit::etNumber << u"1\b.7"_s << u"7"_s;
    QTest::newRow("number: backspace over . allows it again") << TlwEdit::etNumber << u"1.\b.5"_s << u"1.5"_s;
    QTest::newRow("integer: digits") << TlwEdit::etInteger << u"120"_s << u"120"_s;
    QTest::newRow("integer: . refused") << TlwEdit::etInteger << u"1.5"_s << u"15"_s;
    QTest::newRow("integer: - refused") << TlwEdit::etInteger << u"-3"_s << u"3"_s;
    QTest::newRow("integer: 0 then 0 accepted") << TlwEdit::etInteger << u"00"_s << u"00"_s;
    QTest::newRow("free: anything") << TlwEdit::etFree << u"-a.0 图"_s << u"-a.0 图"_s;
}

void tst_LwEdit::keyRules()
{
    QFETCH(TlwEdit::TEditType, editType);
    QFETCH(QString, keys);
    QFETCH(QString, text);

    TlwEdit edit;
    edit.SetEditType(editType);
    type(&edit, keys);
    QCOMPARE(edit.text(), text);
}

void tst_LwEdit::readNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("asDouble");
    QTest::addColumn<int>("asInteger");

    QTest::newRow("empty") << QString() << 0.0 << 0;
    QTest::newRow("whole") << u"12"_s << 12.0 << 12;
    QTest::newRow("leading zero") << u"007"_s << 7.0 << 7;
    QTest::newRow("spaces around") << u" 42 "_s << 42.0 << 42;
}

void tst_LwEdit::readNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, asDouble);
    QFETCH(int, asInteger);

    TlwEdit edit;
    edit.setText(text);
    QCOMPARE(edit.AsDouble(), asDouble);
    QCOMPARE(edit.AsInteger(), asInteger);
}

void tst_LwEdit::readDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("asDate");
    QTest::addColumn<QVariant>("asDateTime");

    const QDateTime day(QDate(2013, 1, 17), QTime(0, 0));
    const QDateTime moment(QDate(2013, 1, 17), QTime(8, 5, 9));
    QTest::newRow("empty is null") << QString() << QVariant() << QVariant();
    QTest::newRow("date") << u"2013-01-17"_s << QVariant(day) << QVariant(day);
    QTest::newRow("short month and day") << u"2013-1-17"_s << QVariant(day) << QVariant(day);
    QTest::newRow("date and time") << u"2013-01-17 08:05:09"_s << QVariant(day) << QVariant(moment);
}

void tst_LwEdit::readDates()
{
    QFETCH(QString, text);
    QFETCH(QVariant, asDate);
    QFETCH(QVariant, asDateTime);

    TlwEdit edit;
    edit.setText(text);
    QCOMPARE(edit.AsDate(), asDate);
    QCOMPARE(edit.AsDateTime(), asDateTime);
}

void tst_LwEdit::conversionErrors_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("integer with a letter") << u"integer"_s << u"1a"_s << u"\"1a\" 不是有效的整数."_s;
    QTest::newRow("integer with a point") << u"integer"_s << u"2.5"_s << u"\"2.5\" 不是有效的整数."_s;
    QTest::newRow("number with a comma") << u"double"_s << u"1,5"_s << u"\"1,5\" 不是有效的数字."_s;
    QTest::newRow("number that is a word") << u"double"_s << u"abc"_s << u"\"abc\" 不是有效的数字."_s;
    QTest::newRow("number that is infinity") << u"double"_s << u"inf"_s << u"\"inf\" 不是有效的数字."_s;
    QTest::newRow("number that is not a number") << u"double"_s << u"nan"_s << u"\"nan\" 不是有效的数字."_s;
    QTest::newRow("date that does not exist") << u"date"_s << u"2013-02-30"_s << u"\"2013-02-30\" 不是有效的日期."_s;
    QTest::newRow("date in words") << u"date"_s << u"今天"_s << u"\"今天\" 不是有效的日期."_s;
    QTest::newRow("date and time, bad time")
        << u"datetime"_s << u"2013-01-17 25:00:00"_s << u"\"2013-01-17 25:00:00\" 不是有效的日期."_s;
}

void tst_LwEdit::conversionErrors()
{
    QFETCH(QString, reader);
    QFETCH(QString, text);
    QFETCH(QString, message);

    TlwEdit edit;
    // Pasted: the key filter never saw it.
    edit.insert(text);
    QCOMPARE(edit.text(), text);
    try {
        if (reader == u"integer"_s)
            edit.AsInteger();
        else if (reader == u"double"_s)
            edit.AsDouble();
        else if (reader == u"date"_s)
            edit.AsDate();
        else
            edit.AsDateTime();
        QFAIL("no conversion error");
    } catch (const EConvertError& error) {
        QCOMPARE(error.Message(), message);
    }
}

void tst_LwEdit::writeValues()
{
    TlwEdit edit;
    edit.setText(u"12.5"_s);
    edit.SetAsDouble(0);
    QCOMPARE(edit.text(), QString());
    edit.SetAsDouble(2.5);
    QCOMPARE(edit.text(), u"2.5"_s);
    edit.SetAsDouble(1234567.125);
    QCOMPARE(edit.text(), u"1234567.125"_s);

    edit.SetAsInteger(0);
    QCOMPARE(edit.text(), QString());
    edit.SetAsInteger(-30);
    QCOMPARE(edit.text(), u"-30"_s);

    edit.SetAsDate(QDate(2013, 1, 17));
    QCOMPARE(edit.text(), u"2013-01-17"_s);
    edit.SetAsDate(QDateTime(QDate(2013, 1, 17), QTime(23, 59, 59)));
    QCOMPARE(edit.text(), u"2013-01-17"_s);
    edit.SetAsDate(QVariant());
    QCOMPARE(edit.text(), QString());
    edit.SetAsDateTime(QDateTime(QDate(2013, 1, 17), QTime(8, 5, 9)));
    QCOMPARE(edit.text(), u"2013-01-17 08:05:09"_s);
    edit.SetAsDateTime(QVariant());
    QCOMPARE(edit.text(), QString());
}

void tst_LwEdit::asVariant_data()
{
    QTest::addColumn<TlwEdit::TEditType>("editType");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("number") << TlwEdit::etNumber << u"2.5"_s << QVariant(2.5);
    QTest::newRow("integer") << TlwEdit::etInteger << u"12"_s << QVariant(12);
    QTest::newRow("free") << TlwEdit::etFree << u"0012"_s << QVariant(u"0012"_s);
    QTest::newRow("empty number is null") << TlwEdit::etNumber << QString() << QVariant();
    QTest::newRow("empty free is null") << TlwEdit::etFree << QString() << QVariant();
}

void tst_LwEdit::asVariant()
{
    QFETCH(TlwEdit::TEditType, editType);
    QFETCH(QString, text);
    QFETCH(QVariant, value);

    TlwEdit edit;
    edit.SetEditType(editType);
    edit.setText(text);
    const QVariant read = edit.AsVariant();
    QCOMPARE(read, value);
    if (value.isValid())
        QCOMPARE(read.typeId(), value.typeId());

    // Written back according to the type, null empties.
    edit.SetAsVariant(QVariant());
    QCOMPARE(edit.text(), QString());
    edit.SetAsVariant(value);
    QCOMPARE(edit.AsVariant(), value);
}

void tst_LwEdit::focusColours_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QColor>("focused");

    QTest::newRow("editable: cyan") << false << QColor(0, 255, 255);
    QTest::newRow("read-only: yellow") << true << QColor(255, 255, 0);
}

void tst_LwEdit::focusColours()
{
    QFETCH(bool, readOnly);
    QFETCH(QColor, focused);

    QWidget window;
    auto* edit = new TlwEdit(&window);
    auto* other = new TlwEdit(&window);
    other->move(0, 40);
    edit->setReadOnly(readOnly);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    const QColor before = edit->palette().color(QPalette::Base);
    QVERIFY(before != focused);

    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(edit->palette().color(QPalette::Base), focused);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(edit->palette().color(QPalette::Base), before);
    // The edit follows its window's palette again once it has left.
    QVERIFY(!edit->testAttribute(Qt::WA_SetPalette));
}

void tst_LwEdit::enterMovesThroughDialog()
{
    TFormDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Code->setFocus();
    QTRY_VERIFY(dialog.Code->hasFocus());

    const QList<QWidget*> chain{dialog.Name, dialog.Kind, dialog.Date, dialog.Plain};
    for (QWidget* next : chain) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), next);
    }
    // The keypad's Enter does the same.
    dialog.Code->setFocus();
    QTest::keyClick(dialog.Code, Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_COMPARE(QApplication::focusWidget(), dialog.Name);
    QVERIFY(dialog.isVisible());
}

void tst_LwEdit::shiftEnterMovesBack()
{
    TFormDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Date->setFocus();
    QTRY_VERIFY(dialog.Date->hasFocus());

    const QList<QWidget*> chain{dialog.Kind, dialog.Name, dialog.Code};
    for (QWidget* previous : chain) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE(QApplication::focusWidget(), previous);
    }
}

void tst_LwEdit::enterNeverClosesDialog()
{
    TFormDlg dialog;
    bool browsed = false;
    connect(dialog.Browse, &QPushButton::clicked, this, [&browsed] { browsed = true; });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    // Enter in the last edit before the buttons, in a plain edit, in a date picker: the dialog stays
    // open and no button is pressed.
    for (QWidget* control : std::initializer_list<QWidget*>{dialog.Name, dialog.Plain, dialog.Date, dialog.Kind}) {
        control->setFocus();
        QTRY_VERIFY(control->hasFocus());
        QTest::keyClick(control, Qt::Key_Return);
        QTest::qWait(20);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QVERIFY(!browsed);
}

void tst_LwEdit::enterPressesFocusedButton()
{
    TFormDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.OkBtn1()->setFocus();
    QTRY_VERIFY(dialog.OkBtn1()->hasFocus());

    QTest::keyClick(dialog.OkBtn1(), Qt::Key_Return);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_LwEdit::enterWithoutTabOnEnter()
{
    // An edit that keeps Enter for itself (a search field) reports it and keeps the focus.
    TFormDlg dialog;
    dialog.Code->SetTabOnEnter(false);
    int searches = 0;
    connect(dialog.Code, &QLineEdit::returnPressed, this, [&searches] { ++searches; });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Code->setFocus();
    QTRY_VERIFY(dialog.Code->hasFocus());

    QTest::keyClick(dialog.Code, Qt::Key_Return);
    QTest::qWait(20);
    QCOMPARE(searches, 1);
    QCOMPARE(QApplication::focusWidget(), dialog.Code);
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(tst_LwEdit)
#include "tst_lwedit.moc"
