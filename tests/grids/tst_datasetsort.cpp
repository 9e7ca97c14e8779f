// The grid's data set sorts large lists from keys read once per row; these cases hold that order
// to the plain rule: nulls first, numbers and dates by value, texts without regard to letter case,
// ties in the order the rows came.
#include "data/LwDataSet.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<TLwDataSet> makeMixed()
{
    auto set = std::make_unique<TLwDataSet>();
    set->AddField(TFieldType::Integer, u"Id"_s);
    set->AddField(TFieldType::WideString, u"Name"_s);
    set->AddField(TFieldType::Float, u"Price"_s);
    set->AddField(TFieldType::Integer, u"Qty"_s);
    set->AddField(TFieldType::DateTime, u"Adddate"_s);
    set->AddField(TFieldType::Boolean, u"Flag"_s);
    set->CreateDataSet();
    const QStringList names = {u"apple"_s,  u"Apple"_s, u"BANANA"_s, u"banana"_s, u"Ärger"_s, u"ärger"_s,
                               u"红楼梦"_s, u"三国"_s,  u"a"_s,      u""_s,       u"Zeta"_s,  u"zeta 2"_s};
    for (int i = 0; i < 60; ++i) {
        set->Append();
        set->SetValue(0, i + 1);
        set->SetValue(1, i % 13 == 12 ? QVariant() : QVariant(names.at(i % 12)));
        set->SetValue(2, i % 7 == 0 ? QVariant() : QVariant((i * 37 % 23) - 11.5));
        set->SetValue(3, i % 5 == 0 ? QVariant() : QVariant((i * 17) % 9 - 4));
        set->SetValue(4, i % 6 == 0 ? QVariant() : QVariant(QDateTime(QDate(2024, 1, 1 + i % 9), QTime(i % 24, 0))));
        set->SetValue(5, i % 4 == 0 ? QVariant() : QVariant(i % 3 == 0));
        set->Post();
    }
    return set;
}

int reference(const QVariant& a, const QVariant& b, TFieldType type)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    switch (type) {
    case TFieldType::Integer:
    case TFieldType::Boolean:
        return a.toLongLong() < b.toLongLong() ? -1 : (a.toLongLong() > b.toLongLong() ? 1 : 0);
    case TFieldType::Float:
        return a.toDouble() < b.toDouble() ? -1 : (a.toDouble() > b.toDouble() ? 1 : 0);
    case TFieldType::DateTime:
        return a.toDateTime() < b.toDateTime() ? -1 : (a.toDateTime() > b.toDateTime() ? 1 : 0);
    default:
        return a.toString().compare(b.toString(), Qt::CaseInsensitive);
    }
}

} // namespace

class TestDataSetSort : public QObject
{
    Q_OBJECT

private slots:
    void sortsAsTheRuleSays_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<bool>("filtered");
        for (const QString& sort : {u"Name"_s, u"Name DESC"_s, u"Price"_s, u"Qty DESC, Name"_s, u"Adddate"_s,
                                    u"Flag, Price DESC"_s, u"Name, Id DESC"_s, u"Adddate DESC, Qty, Name DESC"_s}) {
            QTest::newRow(qPrintable(sort)) << sort << false;
            QTest::newRow(qPrintable(sort + u" filtered"_s)) << sort << true;
        }
    }
    void sortsAsTheRuleSays()
    {
        QFETCH(QString, sort);
        QFETCH(bool, filtered);
        auto set = makeMixed();
        if (filtered)
            set->SetFilter([](const TLwDataSet&, const QVariantList& v) { return v.at(0).toInt() % 3 != 1; });
        QList<QVariantList> rows;
        for (int row = 0; row < set->RecordCount(); ++row) {
            QVariantList values;
            for (int f = 0; f < set->FieldCount(); ++f)
                values.append(set->CellValue(row, f));
            rows.append(values);
        }
        QList<QPair<int, bool>> keys;
        for (const QString& item : sort.split(u',')) {
            const QStringList words = item.simplified().split(u' ');
            keys.append({set->FieldIndex(words.first()), words.size() > 1});
        }
        std::stable_sort(rows.begin(), rows.end(), [&](const QVariantList& a, const QVariantList& b) {
            for (const auto& [field, descending] : std::as_const(keys)) {
                const int c = reference(a.at(field), b.at(field), set->Field(field).Type);
                if (c != 0)
                    return descending ? c > 0 : c < 0;
            }
            return false;
        });
        QList<int> expected;
        for (const QVariantList& row : std::as_const(rows))
            expected.append(row.at(0).toInt());

        set->SetSort(sort);
        QList<int> got;
        for (int row = 0; row < set->RecordCount(); ++row)
            got.append(set->CellValue(row, 0).toInt());
        QCOMPARE(got, expected);
    }

    void bookmarksFollowRows()
    {
        auto set = makeMixed();
        set->SetSort(u"Price DESC"_s);
        for (int row = 0; row < set->RecordCount(); row += 7) {
            const TLwDataSet::TBookmark bookmark = set->BookmarkAt(row);
            QVERIFY(bookmark != 0);
            QCOMPARE(set->RowOfBookmark(bookmark), row);
        }
        const TLwDataSet::TBookmark first = set->BookmarkAt(0);
        set->SetSort(u"Id DESC"_s);
        QCOMPARE(set->BookmarkAt(set->RowOfBookmark(first)), first);
        QCOMPARE(set->BookmarkAt(-1), TLwDataSet::TBookmark(0));
        QCOMPARE(set->BookmarkAt(set->RecordCount()), TLwDataSet::TBookmark(0));
        QCOMPARE(set->RowOfBookmark(123456), -1);
    }
};

QTEST_GUILESS_MAIN(TestDataSetSort)
#include "tst_datasetsort.moc"
