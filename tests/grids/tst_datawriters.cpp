#include "GridFixture.h"
#include "XlsxReader.h"
#include "grids/DataWriter.h"
#include "grids/DelimitedWriter.h"
#include "grids/HtmlWriter.h"
#include "grids/XlsxWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A device that takes `room` bytes and then refuses, as a full disk does.
class TFullDevice : public QIODevice
{
public:
    explicit TFullDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        if (size > m_room) {
            setErrorString(u"No space left on device"_s);
            return -1;
        }
        m_room -= size;
        return size;
    }

private:
    qint64 m_room;
};

QByteArray written(TExportFormat format, const TLwDataSet& set, const RExportColumns& columns)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    auto writer = TDataWriter::Create(format);
    if (!writer->Write(&buffer, set, columns))
        qWarning("write failed: %s", qPrintable(writer->ErrorString()));
    return buffer.data();
}

QString golden(const QString& name)
{
    return QStringLiteral(QUORIN_GOLDEN_DIR) + u'/' + name;
}

} // namespace

class TestDataWriters : public QObject
{
    Q_OBJECT

private slots:
    // Every format of the export sample against a file checked by hand. Set QUORIN_UPDATE_GOLDEN
    // to write them afresh (and read them before committing).
    void goldenFiles_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("file");
        QTest::newRow("text") << int(TExportFormat::Text) << u"sample.txt"_s;
        QTest::newRow("csv") << int(TExportFormat::Csv) << u"sample.csv"_s;
        QTest::newRow("html") << int(TExportFormat::Html) << u"sample.html"_s;
    }
    void goldenFiles()
    {
        QFETCH(int, format);
        QFETCH(QString, file);
        auto set = GridFixture::MakeSample();
        const QByteArray bytes = written(TExportFormat(format), *set, TDataWriter::VisibleFieldColumns(*set));
        QFile expected(golden(file));
        if (qEnvironmentVariableIsSet("QUORIN_UPDATE_GOLDEN")) {
            QVERIFY(expected.open(QIODevice::WriteOnly));
            expected.write(bytes);
            expected.close();
        }
        QVERIFY2(expected.open(QIODevice::ReadOnly), qPrintable(expected.fileName()));
        QCOMPARE(bytes, expected.readAll());
    }

    void csvFollowsChosenColumns()
    {
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        const RExportColumns columns = {{1, u"乙"_s}, {0, u"甲"_s}};
        QCOMPARE(written(TExportFormat::Csv, *set, columns), QByteArray("\xEF\xBB\xBF乙,甲,\r\n2,1,\r\n"));
        QCOMPARE(written(TExportFormat::Text, *set, columns), QByteArray("\xEF\xBB\xBF乙\t甲\t\r\n2\t1\t\r\n"));
    }

    void items_data()
    {
        QTest::addColumn<QChar>("delimiter");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("item");
        const QChar comma = u',', tab = u'\t';
        QTest::newRow("csv plain") << comma << u"红楼梦 上册"_s << u"红楼梦 上册"_s;
        QTest::newRow("csv comma") << comma << u"1,5"_s << u"\"1,5\""_s;
        QTest::newRow("csv quote") << comma << u"他说\"好\""_s << u"\"他说\"\"好\"\"\""_s;
        QTest::newRow("csv line break") << comma << u"a\r\nb"_s << u"\"a\r\nb\""_s;
        QTest::newRow("csv lone LF") << comma << u"a\nb"_s << u"\"a\nb\""_s;
        QTest::newRow("csv tab stays") << comma << u"a\tb"_s << u"a\tb"_s;
        QTest::newRow("csv empty") << comma << QString() << QString();
        QTest::newRow("tab plain") << tab << u"a,\"b\""_s << u"a,\"b\""_s;
        QTest::newRow("tab tab") << tab << u"a\tb"_s << u"a b"_s;
        QTest::newRow("tab CRLF is one blank") << tab << u"a\r\nb"_s << u"a b"_s;
        QTest::newRow("tab CR and LF") << tab << u"a\rb\nc"_s << u"a b c"_s;
    }
    void items()
    {
        QFETCH(QChar, delimiter);
        QFETCH(QString, value);
        QFETCH(QString, item);
        QCOMPARE(TDelimitedWriter(delimiter).Item(value), item);
    }

    void htmlEscapes()
    {
        QCOMPARE(THtmlWriter::Escape(u"<a href=\"x\">R&D</a> 中文 'q'"_s),
                 u"&lt;a href=&quot;x&quot;&gt;R&amp;D&lt;/a&gt; 中文 'q'"_s);
    }

    void xlsxHoldsTextCells()
    {
        auto set = GridFixture::MakeSample();
        const RExportColumns columns = TDataWriter::VisibleFieldColumns(*set);
        const QByteArray bytes = written(TExportFormat::Excel, *set, columns);
        QVERIFY(bytes.startsWith("PK"));
        const QList<QStringList> cells = XlsxReader::Cells(bytes);
        QList<QStringList> expected = {{u"编号"_s, u"名称"_s, u"价格"_s, u"数量"_s, u"日期"_s}};
        for (int row = 0; row < set->RecordCount(); ++row) {
            QStringList line;
            for (const RExportColumn& column : columns)
                line.append(TDataWriter::ValueText(*set, row, column.Field));
            expected.append(line);
        }
        QCOMPARE(expected.at(1), (QStringList{u"A001"_s, u"数据库原理"_s, u"12.5"_s, u"3"_s, u"2024-01-02"_s}));
        QCOMPARE(expected.at(2).at(2), u"0.3"_s);
        QCOMPARE(cells.size(), expected.size());
        for (int row = 0; row < cells.size(); ++row) {
            QStringList got = cells.at(row);
            while (got.size() < expected.at(row).size()) // empty cells are written as blanks
                got.append(QString());
            QCOMPARE(got, expected.at(row));
        }
        // the texts sit in the shared strings, and every cell is formatted as text
        const QByteArray strings = XlsxReader::Entry(bytes, u"xl/sharedStrings.xml"_s);
        QVERIFY(strings.contains("数据库原理"));
        QVERIFY(strings.contains("Say \"hi\", &lt;b&gt;&amp;&lt;/b&gt;") || strings.contains("Say &quot;hi&quot;"));
        QVERIFY(XlsxReader::Entry(bytes, u"xl/worksheets/sheet1.xml"_s).contains("<c r=\"A2\""));
        QVERIFY(XlsxReader::Entry(bytes, u"xl/styles.xml"_s).contains("formatCode=\"@\""));
    }

    // Large sheets are streamed with the texts in their cells; they read back the same.
    void xlsxStreamedReadsTheSame()
    {
        auto set = GridFixture::MakeSample();
        const RExportColumns columns = TDataWriter::VisibleFieldColumns(*set);
        QBuffer stored, streamed;
        stored.open(QIODevice::WriteOnly);
        streamed.open(QIODevice::WriteOnly);
        QVERIFY(TXlsxWriter(1000).Write(&stored, *set, columns));
        QVERIFY(TXlsxWriter(0).Write(&streamed, *set, columns));
        QVERIFY(XlsxReader::Entry(streamed.data(), u"xl/sharedStrings.xml"_s).isEmpty());
        QVERIFY(XlsxReader::Entry(streamed.data(), u"xl/worksheets/sheet1.xml"_s).contains("数据库原理"));
        QCOMPARE(XlsxReader::Cells(streamed.data()), XlsxReader::Cells(stored.data()));
        QCOMPARE(XlsxReader::Cells(streamed.data()).size(), 4);
    }

    void xlsxOfEmptySetHasTitlesOnly()
    {
        auto set = GridFixture::MakeAbc({});
        const QByteArray bytes = written(TExportFormat::Excel, *set, TDataWriter::VisibleFieldColumns(*set));
        QCOMPARE(XlsxReader::Cells(bytes), (QList<QStringList>{{u"甲"_s, u"乙"_s, u"丙"_s}}));
    }

    // What the data set shows is what is written: its filter, its sort, and the record count.
    void followsFilterAndSort_data()
    {
        QTest::addColumn<int>("format");
        for (int format = 0; format < TDataWriter::FormatCount; ++format)
            QTest::newRow(qPrintable(TDataWriter::FormatInfo(TExportFormat(format)).DefaultExt)) << format;
    }
    void followsFilterAndSort()
    {
        QFETCH(int, format);
        auto set = GridFixture::MakeBooks(40);
        set->SetFilter(
            [](const TLwDataSet& s, const QVariantList& v) { return v.at(s.FieldIndex(u"Qty"_s)).toInt() > 3; });
        set->SetSort(u"Price DESC"_s);
        set->SetRecNo(3);
        const QList<TLwDataSet::TBookmark> before = {set->Bookmark()};
        const RExportColumns columns = {{1, u"图书编号"_s}};
        const QByteArray bytes = written(TExportFormat(format), *set, columns);
        QStringList codes;
        for (int row = 0; row < set->RecordCount(); ++row)
            codes.append(set->CellText(row, 1));
        QVERIFY(set->RecordCount() > 5 && set->RecordCount() < 40);
        QStringList got;
        if (TExportFormat(format) == TExportFormat::Excel) {
            for (const QStringList& row : XlsxReader::Cells(bytes).mid(1))
                got.append(row.value(0));
        } else {
            const QString text = QString::fromUtf8(bytes);
            for (const QString& code : std::as_const(codes))
                if (text.contains(code))
                    got.append(code);
            QCOMPARE(text.count(u"B0000"_s), codes.size());
            // in the order of the sort
            qsizetype at = 0;
            for (const QString& code : std::as_const(codes)) {
                const qsizetype next = text.indexOf(code, at);
                QVERIFY2(next > at, qPrintable(code));
                at = next;
            }
        }
        QCOMPARE(got, codes);
        QCOMPARE(QList<TLwDataSet::TBookmark>{set->Bookmark()}, before);
    }

    void refusedWritesFail_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<qint64>("room");
        for (int format = 0; format < TDataWriter::FormatCount; ++format) {
            const QString ext = TDataWriter::FormatInfo(TExportFormat(format)).DefaultExt;
            QTest::newRow(qPrintable(ext + u" at once"_s)) << format << qint64(0);
            QTest::newRow(qPrintable(ext + u" midway"_s)) << format << qint64(300 * 1024);
        }
    }
    void refusedWritesFail()
    {
        QFETCH(int, format);
        QFETCH(qint64, room);
        auto set = GridFixture::MakeBooks(20000);
        TFullDevice device(room);
        auto writer = TDataWriter::Create(TExportFormat(format));
        QVERIFY(!writer->Write(&device, *set, TDataWriter::VisibleFieldColumns(*set)));
        QCOMPARE(writer->ErrorString(), u"No space left on device"_s);
    }

    void writeFileLeavesNothingOnFailure()
    {
        QTemporaryDir folder;
        QFile blocker(folder.filePath(u"notAFolder"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto set = GridFixture::MakeSample();
        const QString path = folder.filePath(u"notAFolder/list.csv"_s);
        QString error;
        QVERIFY(
            !TDataWriter::WriteFile(TExportFormat::Csv, path, *set, TDataWriter::VisibleFieldColumns(*set), &error));
        QVERIFY2(error.startsWith(u"导出失败, 无法写入文件 "_s + QDir::toNativeSeparators(path)), qPrintable(error));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{u"notAFolder"_s});
    }

    void writeFileReplacesWholeFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"list.csv"_s);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.close();
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        QVERIFY(TDataWriter::WriteFile(TExportFormat::Csv, path, *set, TDataWriter::VisibleFieldColumns(*set)));
        QFile now(path);
        QVERIFY(now.open(QIODevice::ReadOnly));
        QCOMPARE(now.readAll(), QByteArray("\xEF\xBB\xBF甲,乙,丙,\r\n1,2,3,\r\n"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{u"list.csv"_s});
    }

    void hundredThousandRows()
    {
        auto set = GridFixture::MakeBooks(100000);
        const QByteArray bytes = written(TExportFormat::Csv, *set, TDataWriter::VisibleFieldColumns(*set));
        QCOMPARE(bytes.count("\r\n"), 100001);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(bytes.contains(",B100000,") || bytes.contains("\nB100000,"));
    }
};

QTEST_GUILESS_MAIN(TestDataWriters)
#include "tst_datawriters.moc"
