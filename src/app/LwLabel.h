#pragma once

#include <QLabel>
#include <QVariant>

// The program's label, with typed access to the date or number it shows.
class TlwLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TlwLabel(QWidget* parent = nullptr);
    explicit TlwLabel(const QString& text, QWidget* parent = nullptr);

    void Clear() { clear(); }
    void SetText(const QString& text) { setText(text); }

    // The date shown ("yyyy-MM-dd", or with a time, which is dropped), at midnight; null when the text is not
    // a date. Writing null empties the label.
    QVariant AsDate() const;
    void SetAsDate(const QVariant& value);
    // The number shown; null when the text is not a number. Writing null empties the label; a number is
    // written in the general format (2.5, 100, 0.125).
    QVariant AsNumber() const;
    void SetAsNumber(const QVariant& value);
};
