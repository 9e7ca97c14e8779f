#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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
    // True when the object holds an operator whose password is `text`. An empty stored password
    // matches only the empty text. A password still stored as typed (from before hashing) is compared
    // as it is and, on a match, replaced by its hash in the table.
    bool CheckPassword(const QString& text);
    // Held when ",n," occurs in the rights text, or always by "sa" (exact case).
    bool HasRight(int number) const;
    // When the right is missing, tells the operator
    // "对不起,您没有该功能的操作权限,请与管理员联系(n)." and, with `abort`, raises EAbort so the
    // command ends quietly. Returns whether the right is held.
    bool RequireRight(int number, bool abort = true) const;
    // Stores `text` as the operator's new password (its hash; the empty text stays empty, meaning
    // "no password set") and keeps the stored form in Password. Raises EDatabaseError when the
    // statement fails or the operator's row is gone.
    void StorePassword(const QString& text);

    // True for an operator whose password is empty: after such a login the operator is reminded to
    // set one (EmptyPasswordNotice).
    bool HasEmptyPassword() const { return !LoginId.isEmpty() && Password.isEmpty(); }
    // The reminder shown through InfoBox after a login with an empty password.
    static QString EmptyPasswordNotice();
    // The refusal shown by RequireRight.
    static QString RefusalText(int number);

    // The rights text of `rights` in the given order: ",a,,b,".
    static QString RightsText(const QList<int>& rights);

    QString LoginId;
    QString Password; // as stored: a hash, empty, or (rows from before hashing) the text as typed
    QString Name;
    QString Contact;
    QString Note;
    QString Rights;
};

// The logged-in operator (empty until the first login).
TOperator& CurrentOperator();

// The command-line login: with exactly three arguments (the program's name not counted) the first is
// the login name and the second the password; the third is not read. Loads CurrentOperator and
// returns true when they match; otherwise leaves CurrentOperator as it was and returns false, and the
// login dialog takes over.
bool LoginFromCommandLine(const QStringList& arguments);
