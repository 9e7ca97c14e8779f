#pragma once

#include "app/ADlgFrm.h"

#include <QList>
#include <optional>

class QListWidget;
class TlwEdit;

// One operator's properties and rights, for the operators window. It never shows a stored
// password: both password edits start empty, and for an existing operator empty means "unchanged".
class TOperatorEditorFrm : public TADlgFrm
{
    Q_OBJECT

public:
    // One entry of the rights list.
    struct TRightEntry
    {
        int Number;
        QString Caption;
    };

    explicit TOperatorEditorFrm(QWidget* parent = nullptr);

    // The rights the editor offers, in the order their numbers are written to the rights text.
    static const QList<TRightEntry>& RightEntries();

    // Empties every edit and tick and opens the login name for typing: a new operator.
    void PrepareNew();
    // Shows an existing operator; the login name cannot be changed.
    void PrepareExisting(const QString& login, const QString& name, const QString& contact, const QString& note,
                         const QString& rights);

    QString LoginId() const;
    QString OperatorName() const;
    QString Contact() const;
    QString Note() const;
    // The password to store: for a new operator the text typed (maybe empty); for an existing one
    // nothing when the edits were left empty.
    std::optional<QString> NewPassword() const;
    // ",n," for every ticked entry, in list order.
    QString RightsText() const;

    TlwEdit* edtUserId1() const { return m_userId; }
    TlwEdit* edtName1() const { return m_name; }
    TlwEdit* edtContact1() const { return m_contact; }
    TlwEdit* edtNote1() const { return m_note; }
    TlwEdit* edtPassword1() const { return m_password1; }
    TlwEdit* edtPassword2() const { return m_password2; }
    QListWidget* CheckListBox1() const { return m_rights; }

protected:
    bool CloseQuery() override;

private:
    void setLoginEditable(bool editable);

    TlwEdit* m_userId = nullptr;
    TlwEdit* m_name = nullptr;
    TlwEdit* m_contact = nullptr;
    TlwEdit* m_note = nullptr;
    TlwEdit* m_password1 = nullptr;
    TlwEdit* m_password2 = nullptr;
    QListWidget* m_rights = nullptr;
    bool m_existing = false;
};
