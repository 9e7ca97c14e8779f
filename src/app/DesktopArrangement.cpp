#include "app/DesktopArrangement.h"

#include "data/Database.h"

using namespace Qt::StringLiterals;

namespace {

// "x,y" of whole numbers; anything else (and "0,0", an arrangement never saved) is no position.
bool parsePosition(const QString& value, QPoint& position)
{
    const qsizetype comma = value.indexOf(u',');
    if (comma < 0)
        return false;
    bool okX = false;
    bool okY = false;
    const int x = value.left(comma).trimmed().toInt(&okX);
    const int y = value.mid(comma + 1).trimmed().toInt(&okY);
    if (!okX || !okY || (x == 0 && y == 0))
        return false;
    position = {x, y};
    return true;
}

} // namespace

TDesktopArrangement TDesktopArrangement::FromText(const QStringList& actions, const QString& text)
{
    TDesktopArrangement arrangement;
    arrangement.m_actions = actions;
    QHash<QString, QString> stored;
    const QStringList lines = QString(text).replace(u"\r\n"_s, u"\n"_s).split(u'\n');
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && !stored.contains(line.left(eq)))
            stored.insert(line.left(eq), line.mid(eq + 1));
    }
    for (const QString& action : actions) {
        QPoint position = DefaultPosition;
        if (parsePosition(stored.value(action), position))
            arrangement.m_stored.insert(action);
        else
            position = DefaultPosition;
        arrangement.m_positions.insert(action, position);
    }
    return arrangement;
}

QString TDesktopArrangement::ToText() const
{
    QStringList lines;
    for (const QString& action : m_actions) {
        const QPoint p = Position(action);
        lines.append(u"%1=%2,%3"_s.arg(action).arg(p.x()).arg(p.y()));
    }
    return lines.join(u"\r\n"_s);
}

void TDesktopArrangement::SetPosition(const QString& action, QPoint position)
{
    if (!m_actions.contains(action))
        return;
    m_positions.insert(action, position);
    m_stored.insert(action);
}

TDesktopArrangement TDesktopArrangement::Load(const QStringList& actions, const QString& loginId)
{
    QSqlQuery query =
        Database().Select(u"select Menus from operator where LoginId=:LoginId"_s, {MakeParam(u"LoginId"_s, loginId)});
    return FromText(actions, query.next() ? query.value(0).toString() : QString());
}

void TDesktopArrangement::Save(const QString& loginId) const
{
    Database().ExecSQL(u"update operator set Menus=:Menus where LoginId=:LoginId"_s,
                       {MakeParam(u"Menus"_s, ToText()), MakeParam(u"LoginId"_s, loginId)});
}
