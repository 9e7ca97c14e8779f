#pragma once

#include "data/RecordSet.h"

#include <optional>

// The operators as the operators window shows them: every row but the super user's, kept in memory,
// with the table's writes mirrored into the open rows.
class TOperatorSet : public TRecordSet
{
    Q_OBJECT

public:
    // Opens every operator except "sa", by login name.
    explicit TOperatorSet(QObject* owner = nullptr);

    const TField& UserIdField() const { return field(m_userId); }
    const TField& PasswdField() const { return field(m_passwd); }
    const TField& NameField() const { return field(m_name); }
    const TField& ContactField() const { return field(m_contact); }
    const TField& NoteField() const { return field(m_note); }
    const TField& RightsField() const { return field(m_rights); }

    // Inserts a new operator and appends it to the open rows. The password is stored hashed (empty
    // stays empty). A login name already taken, in any letter case, raises EDatabaseError with a
    // message for the operator; so does a failing statement. True when one row was inserted.
    bool AddOperator(const QString& login, const QString& password, const QString& rights, const QString& note,
                     const QString& contact, const QString& name);
    // Rewrites the operator `login` and its open row; without a password the stored one stays.
    // True when one row was updated (false when the operator is gone). Raises on a failing statement.
    bool UpdateOperator(const QString& login, const std::optional<QString>& password, const QString& rights,
                        const QString& note, const QString& contact, const QString& name);
    // Deletes the operator and its open row; true when one row was deleted.
    bool DeleteOperator(const QString& login);

    // Every login name but "sa", one per line ("\r\n" between them).
    static QString ListLoginIds();

private:
    const TField& field(int index) const { return DataSet()->Field(index); }
    // Moves to the open row of `login`; false when it is not there.
    bool locate(const QString& login);
    void setRow(const QString& password, const QString& rights, const QString& note, const QString& contact,
                const QString& name, bool withPassword);

    int m_userId = -1;
    int m_passwd = -1;
    int m_name = -1;
    int m_contact = -1;
    int m_note = -1;
    int m_rights = -1;
};
