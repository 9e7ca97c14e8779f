#pragma once

#include <QDateTimeEdit>
#include <QVariant>

class QCheckBox;

// The program's date (and time) picker. With its check box shown, an unticked picker means "no date":
// every typed read gives null. It starts unticked, showing the current date and time, in the
// "yyyy-MM-dd" form with a drop-down calendar. Cyan while focused, white otherwise; Enter moves to
// the next control (Shift+Enter to the previous one); Space ticks and unticks the box.
class TlwDateTimePicker : public QDateTimeEdit
{
    Q_OBJECT

public:
    explicit TlwDateTimePicker(QWidget* parent = nullptr);

    bool ShowCheckBox() const { return m_showCheckBox; }
    void SetShowCheckBox(bool show);
    // Whether the box is ticked; meaningful only while it is shown. Changing the date by hand ticks it.
    bool Checked() const;
    void SetChecked(bool checked);

    // Null when the box is shown and unticked. AsDate is the date at midnight, AsTime the time of day,
    // AsDateTime both; the same types TlwEdit reads.
    QVariant AsDate() const;
    QVariant AsTime() const;
    QVariant AsDateTime() const;
    // Null shows the current date and time, unticked; any other value is shown and ticks the box.
    void SetAsDate(const QVariant& value);
    void SetAsTime(const QVariant& value);
    void SetAsDateTime(const QVariant& value);
    // Shows the current date and time and reads null from now on (when the box is shown).
    void Clear();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void checkedChanged(bool checked);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool isNull() const { return m_showCheckBox && !Checked(); }
    void write(const QDateTime& value, bool checked);
    void paint();
    int checkWidth() const;

    QCheckBox* m_check = nullptr;
    bool m_showCheckBox = false;
    bool m_focused = false;
    // Set while the program itself writes the value, so only the operator's changes tick the box.
    bool m_writing = false;
};
