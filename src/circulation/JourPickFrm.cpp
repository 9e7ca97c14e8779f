#include "circulation/JourPickFrm.h"

#include "holdings/HoldingList.h"
#include "holdings/JournalEditFrm.h"

using namespace Qt::StringLiterals;

TJourPickFrm::TJourPickFrm(TOnPick onPick, QWidget* parent)
    : TTitlePickFrm(std::make_unique<TJournalList>([](RJournal& record, TJournalList::TSave save, QWidget* owner) {
                        return EditJournal(record, std::move(save), owner);
                    }),
                    1022, u"确定"_s, parent)
{
    setObjectName(u"JourPickFrm"_s);
    List().SetOnPick(std::move(onPick));
}

bool TJourPickFrm::Pick(TOnPick onPick, QWidget* parent)
{
    TJourPickFrm form(std::move(onPick), parent);
    return form.exec() == QDialog::Accepted;
}
