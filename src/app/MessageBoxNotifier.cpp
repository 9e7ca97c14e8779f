#include "app/MessageBoxNotifier.h"

#include <QAbstractButton>
#include <QApplication>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

TMessageBoxNotifier::TMessageBoxNotifier() : m_previous(SetNotifier(this)) {}

TMessageBoxNotifier::~TMessageBoxNotifier()
{
    SetNotifier(m_previous);
}

QString TMessageBoxNotifier::DisplayText(const QString& text)
{
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    static const QRegularExpression lineEndPadding(u"[\\t ]+(?=\\n|$)"_s);
    shown.remove(lineEndPadding);
    shown.replace(u'\t', u"    "_s);
    return shown;
}

QMessageBox::StandardButton TMessageBoxNotifier::show(QMessageBox::Icon icon, const QString& title, const QString& text,
                                                      QMessageBox::StandardButtons buttons)
{
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    QMessageBox box(icon, title, DisplayText(text), buttons, owner);
    box.setObjectName(u"MessageBox"_s);
    // Operator texts may hold "<" and "&" (SQL, file names): never read them as markup.
    box.setTextFormat(Qt::PlainText);
    if (QAbstractButton* ok = box.button(QMessageBox::Ok))
        ok->setText(u"确定"_s);
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(u"取消"_s);
    box.setDefaultButton(QMessageBox::Ok);
    if (buttons & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void TMessageBoxNotifier::Info(const QString& text)
{
    show(QMessageBox::Information, u"提示"_s, u"\r\n"_s + text + u"\t"_s, QMessageBox::Ok);
}

void TMessageBoxNotifier::Warning(const QString& text)
{
    show(QMessageBox::Warning, u"警告"_s, text, QMessageBox::Ok);
}

void TMessageBoxNotifier::Error(const QString& text)
{
    show(QMessageBox::Critical, u"错误"_s, text, QMessageBox::Ok);
}

bool TMessageBoxNotifier::Confirm(const QString& text)
{
    return show(QMessageBox::Warning, u"确认"_s, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}
