#pragma once

#include "app/WinFrm.h"

#include <memory>

class IViewList;
class TlwGridcx;

// The generic list window: publishers or reader kinds in a grid under a toolbar of the list's
// commands. It owns its list.
class TInfoListFrm : public TWinFrm
{
    Q_OBJECT

public:
    TInfoListFrm(std::unique_ptr<IViewList> list, const QString& caption, int layoutId, QWidget* parent = nullptr);
    ~TInfoListFrm() override;

    // The two commands of the main window.
    static TInfoListFrm* ShowPublishers(QWidget* parent = nullptr);
    static TInfoListFrm* ShowReaderskinds(QWidget* parent = nullptr);

    IViewList* List() const { return m_list.get(); }
    TlwGridcx* Grid1() const { return m_grid; }

private:
    std::unique_ptr<IViewList> m_list;
    TlwGridcx* m_grid = nullptr;
};
