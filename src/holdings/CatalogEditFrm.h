#pragma once

#include "app/aFrm.h"
#include "holdings/CatalogSet.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class TCatalogTree;

// The catalogue window "中图分类". Browse mode shows the tree with its maintenance commands and, with
// a pick callback, hands a class to its caller; edit mode (a separate modal instance) enters one class.
class TCatalogEditFrm : public TaFrm
{
    Q_OBJECT

public:
    // Told the picked class; returns whether to take it.
    using TPickCallback = std::function<bool(const RCatalog& record)>;
    // Stores the entered class; returns whether it was stored.
    using TSaveCallback = std::function<bool(RCatalog& record)>;

    // Browse mode.
    explicit TCatalogEditFrm(TPickCallback pick, QWidget* parent = nullptr);
    // Edit mode on `record`, stored through `save`.
    TCatalogEditFrm(const RCatalog& record, TSaveCallback save, QWidget* parent = nullptr);

    TCatalogTree* Tree() const { return m_tree; }
    bool Picked() const { return m_picked; }

    // Opens the edit dialog modally on `record`; true when it closed with OK.
    static bool EditRecord(const RCatalog& record, QWidget* parent, TSaveCallback save);

    // Browse mode: hands the selected class to the pick callback and closes when it is taken.
    void Pick();
    // Browse mode: loads the prepared classification into an empty catalogue.
    void LoadPrepared();

private:
    void buildBrowse();
    void buildEdit();
    void confirm();

    // browse mode
    TCatalogTree* m_tree = nullptr;
    TPickCallback m_pick;
    bool m_picked = false;
    // edit mode
    RCatalog m_record;
    TSaveCallback m_save;
    QLineEdit* m_mark = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_note = nullptr;
    QCheckBox* m_continuous = nullptr;
};

// Opens the catalogue window (right 1001), reloaded, modally. With `pick`, "选择" and a double click on
// a class without subclasses hand it over. True only when the window closed by a pick.
bool ShowCatalog(TCatalogEditFrm::TPickCallback pick = {}, QWidget* parent = nullptr);
