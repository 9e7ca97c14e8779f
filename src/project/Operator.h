#pragma once

#include <QList>
#include <QString>

// The numbered rights that guard commands.
namespace TRight {
constexpr int ClearData = 100;
constexpr int Catalog = 1001;
constexpr int Company = 10000;
constexpr int Operators = 100001;
constexpr int Print = 10002;
constexpr int DesignReport = 10003;
constexpr int Export = 10004;
constexpr int Backup = 10005;
constexpr int SaveLayout = 10006;
constexpr int ToolsMenu = 10007;
constexpr int ChooseColumns = 10008;
} // namespace TRight

// One operator: who is logged in, or one being checked or edited. "sa" is the super user.
class TOperator
{
public:
    static inline const QString SuperUser = QStringLiteral("sa");

    // Copies the operator's columns when exactly one row has this login name; otherwise leaves the
    // object as it was. True when it copied.
    bool LoadByLoginId(const QString& loginId);
    // True when the object holds an operator whose password is `text`.
    bool CheckPassword(const QString& text);
    // Held when ",n," occurs in the rights text, or always by "sa" (exact case).
    bool HasRight(int number) const;
    // When the right is missing, tells the operator
    // "对不起,您没有该功能的操作权限,请与管理员联系(n)." and, with `abort`, raises EAbort so the
    // command ends quietly. Returns whether the right is held.
    bool RequireRight(int number, bool abort = true) const;
    // Stores `text` as the operator's new password.
    void StorePassword(const QString& text);

    // The rights text of `rights` in the given order: ",a,,b,".
    static QString RightsText(const QList<int>& rights);

    QString LoginId;
    QString Password; // as stored
    QString Name;
    QString Contact;
    QString Note;
    QString Rights;
};

// The logged-in operator (empty until the first login).
TOperator& CurrentOperator();
