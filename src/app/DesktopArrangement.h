#pragma once

#include <QHash>
#include <QPoint>
#include <QSet>
#include <QString>
#include <QStringList>

// Where each icon of the circulation desktop sits for one operator, kept in operator.Menus as lines
// "LoanAction1=120,40" separated by CR LF.
class TDesktopArrangement
{
public:
    static constexpr QPoint DefaultPosition{10, 10};

    // One entry per action name, each at its stored position or at 10,10 when the text has no usable
    // one (missing, "0,0", no comma, or numbers that are not whole).
    static TDesktopArrangement FromText(const QStringList& actions, const QString& text);
    QString ToText() const;

    // Reads and writes the operator's Menus column.
    static TDesktopArrangement Load(const QStringList& actions, const QString& loginId);
    void Save(const QString& loginId) const;

    QPoint Position(const QString& action) const { return m_positions.value(action, DefaultPosition); }
    // Whether the text held a usable position for the action (not the 10,10 stand-in).
    bool Stored(const QString& action) const { return m_stored.contains(action); }
    void SetPosition(const QString& action, QPoint position);
    const QStringList& Actions() const { return m_actions; }

private:
    QStringList m_actions;
    QHash<QString, QPoint> m_positions;
    QSet<QString> m_stored;
};
