#pragma once

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QLineEdit>
#include <QVariant>

// The program's edit: focus colours, Enter to the next field, number filtering and typed values.
class TlwEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum TEditType {
        etFree,
        etNumber,
        etInteger,
    };

    explicit TlwEdit(QWidget* parent = nullptr);

    QColor ColorOnEnter() const { return m_colorOnEnter; }
    void SetColorOnEnter(const QColor& color) { m_colorOnEnter = color; }
    QColor ColorOnReadOnly() const { return m_colorOnReadOnly; }
    void SetColorOnReadOnly(const QColor& color) { m_colorOnReadOnly = color; }
    // Enter (Shift+Enter) moves to the next (previous) control and is not passed on.
    bool TabOnEnter() const { return m_tabOnEnter; }
    void SetTabOnEnter(bool on) { m_tabOnEnter = on; }
    TEditType EditType() const { return m_editType; }
    void SetEditType(TEditType type);
    Qt::Alignment Alignment() const { return alignment(); }
    void SetAlignment(Qt::Alignment alignment) { setAlignment(alignment | Qt::AlignVCenter); }

    // Typed values. Reading raises EConvertError quoting the text when it is not what it should be;
    // empty text reads as 0 (numbers) or null (dates). Writing 0 or null empties the edit.
    double AsDouble() const;
    void SetAsDouble(double value);
    int AsInteger() const;
    void SetAsInteger(int value);
    QVariant AsDate() const;
    void SetAsDate(const QVariant& value);
    QVariant AsDateTime() const;
    void SetAsDateTime(const QVariant& value);
    // Null for empty text; otherwise a double (etNumber), an int (etInteger) or the text (etFree).
    QVariant AsVariant() const;
    void SetAsVariant(const QVariant& value);

    // Whether `key` typed into `text` is let through by `type`'s rules.
    static bool AcceptsKey(TEditType type, const QString& text, QChar key);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_colorOnEnter = QColor(0, 255, 255);
    QColor m_colorOnReadOnly = QColor(255, 255, 0);
    bool m_tabOnEnter = true;
    TEditType m_editType = etFree;
    QPalette m_savedPalette;
    bool m_hadOwnPalette = false;
    bool m_painted = false;
};

// Moves the focus from `widget` to the next (or previous) control of its window, after the current
// event has been handled, as the program's controls do on Enter.
void MoveFocusFrom(QWidget* widget, bool backwards);
