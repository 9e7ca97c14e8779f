#pragma once

#include "app/WinFrm.h"

#include <functional>
#include <memory>

class QToolButton;
class TReaderList;
class TlwDBGrid;
class TlwEdit;

// The reader list "读者资料": every reader at first, narrowed by a keyword or the advanced search, with
// the list's commands on a toolbar. It owns its list.
class TReaderListFrm : public TWinFrm
{
    Q_OBJECT

public:
    explicit TReaderListFrm(QWidget* parent = nullptr);
    ~TReaderListFrm() override;

    // The main window's command.
    static TReaderListFrm* ShowReaders(QWidget* parent = nullptr);

    TReaderList& List() const { return *m_list; }
    TlwDBGrid* DBGrid1() const { return m_grid; }
    TlwEdit* edtKeyword1() const { return m_keyword; }

    // "搜索一下": the readers matching the keyword anywhere.
    void SearchKeyword();
    // "高级...".
    void SearchAdvanced();

private:
    void search();
    void guarded(const std::function<void()>& command);

    std::unique_ptr<TReaderList> m_list;
    TlwDBGrid* m_grid = nullptr;
    TlwEdit* m_keyword = nullptr;
};
