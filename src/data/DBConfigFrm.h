#pragma once

#include "data/Configer.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class TlwComboBox;
class TlwEdit;

// The connection dialog, shown when the saved settings do not connect: the kind of database and its
// parameters, saved to cfg.ini on OK. It can also create the empty database where the settings point.
class TDBConfigFrm : public QDialog
{
    Q_OBJECT

public:
    // Reads `configPath` (cfg.ini in its usual place when empty) into the controls.
    explicit TDBConfigFrm(QWidget* parent = nullptr, const QString& configPath = QString());
    ~TDBConfigFrm() override;

    // The string to connect with now, from the settings as last saved.
    QString ConnectionString() const;
    // Whether the settings point at the program's own embedded database.
    bool UsesDefaultDatabase() const;
    TConfiger& Configer() { return m_configer; }

    // Copies the controls into the settings and saves them; the dialog stays open when that fails.
    void accept() override;

    // The controls, named as the program names them.
    TlwComboBox* ComboBox1() const { return m_provider; }
    QStackedWidget* Notebook1() const { return m_pages; }
    TlwEdit* mssqlServerEdit1() const { return m_server; }
    TlwEdit* mssqlPortEdit1() const { return m_port; }
    TlwEdit* mssqlDbEdit1() const { return m_database; }
    TlwEdit* mssqlUserEdit1() const { return m_user; }
    TlwEdit* mssqlPwEdit1() const { return m_password; }
    QCheckBox* CheckBox1() const { return m_smart; }
    QCheckBox* jetDefaultCheckBox1() const { return m_default; }
    TlwEdit* jetfileEdit1() const { return m_file; }
    QPushButton* jetFileButton1() const { return m_fileButton; }
    TlwEdit* jetUserEdit1() const { return m_fileUser; }
    TlwEdit* jetPwEdit1() const { return m_filePassword; }
    TlwEdit* edtDipUrl1() const { return m_dipUrl; }
    TlwEdit* edtDipUser1() const { return m_dipUser; }
    QPushButton* Button1() const { return m_ok; }
    QPushButton* Button2() const { return m_cancel; }
    QPushButton* btnCreateDb1() const { return m_create; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillFromSettings();
    // Copies the controls into `configer`; false (and says why) when a value is wrong.
    bool copyToSettings(TConfiger& configer);
    void showPage(int index);
    void applyDefaultRule();
    void chooseFile();
    void createDatabase();

    TConfiger m_configer;
    TlwComboBox* m_provider = nullptr;
    QStackedWidget* m_pages = nullptr;
    TlwEdit* m_server = nullptr;
    TlwEdit* m_port = nullptr;
    TlwEdit* m_database = nullptr;
    TlwEdit* m_user = nullptr;
    TlwEdit* m_password = nullptr;
    QCheckBox* m_smart = nullptr;
    QCheckBox* m_default = nullptr;
    TlwEdit* m_file = nullptr;
    QPushButton* m_fileButton = nullptr;
    TlwEdit* m_fileUser = nullptr;
    TlwEdit* m_filePassword = nullptr;
    TlwEdit* m_dipUrl = nullptr;
    TlwEdit* m_dipUser = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_create = nullptr;
};

// Connects Database() with the saved settings and, after each failed attempt, shows the connection
// dialog until a connection succeeds or the operator cancels. The very first start (no cfg.ini
// anywhere) uses the embedded database and creates it. Returns whether the database is connected.
bool ConnectDatabase(const QString& configPath = QString());
