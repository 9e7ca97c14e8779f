// Grid and export figures on a 100,000-row list of books: showing it in the list grid, sorting it
// by one column through the grid's data set, and exporting it to CSV and to .xlsx. Each figure is
// the median of several runs, set beside the same work done directly (a sort of the bare values,
// the same CSV text written with QFile, the same cells written with libxlsxwriter), so a noisy
// machine still shows what the grid and the writers cost.
//
//   bench_grids [--rows N] [--runs N]

#include "data/LwDataSet.h"
#include "grids/DataWriter.h"
#include "grids/LwDBGrid.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace {

struct TColumn
{
    TFieldType Type;
    QString Name;
    QString Label;
};

const QList<TColumn> kColumns = {
    {TFieldType::Integer, u"Id"_s, u"序号"_s},
    {TFieldType::WideString, u"Code"_s, u"图书编号"_s},
    {TFieldType::WideString, u"Name"_s, u"图书名称"_s},
    {TFieldType::WideString, u"Author"_s, u"作者"_s},
    {TFieldType::WideString, u"Publisher"_s, u"出版社"_s},
    {TFieldType::WideString, u"ISBN"_s, u"ISBN"_s},
    {TFieldType::Float, u"Price"_s, u"价格"_s},
    {TFieldType::Integer, u"QtyLib"_s, u"馆存数量"_s},
    {TFieldType::Integer, u"TimesLoan"_s, u"借阅次数"_s},
    {TFieldType::DateTime, u"Getdate"_s, u"入馆日期"_s},
    {TFieldType::WideString, u"Location"_s, u"存放位置"_s},
};

std::unique_ptr<TLwDataSet> makeBooks(int rows)
{
    static const QString titles[] = {u"数据结构"_s, u"算法导论"_s, u"红楼梦"_s, u"三国演义"_s, u"水浒传"_s,
                                     u"西游记"_s,   u"围城"_s,     u"边城"_s,   u"骆驼祥子"_s, u"平凡的世界"_s};
    static const QString presses[] = {u"人民文学出版社"_s, u"清华大学出版社"_s, u"机械工业出版社"_s, u"商务印书馆"_s};
    auto set = std::make_unique<TLwDataSet>();
    for (const TColumn& column : kColumns)
        set->AddField(column.Type, column.Name, column.Type == TFieldType::WideString ? 50 : -1, true, column.Label);
    set->CreateDataSet();
    set->DisableControls();
    quint32 seed = 2024;
    for (int i = 1; i <= rows; ++i) {
        seed = seed * 1103515245u + 12345u;
        const quint32 r = seed >> 8;
        set->Append();
        set->SetValue(0, i);
        set->SetValue(1, u"B%1"_s.arg(r % 1000000, 6, 10, QLatin1Char('0')));
        set->SetValue(2, u"%1 第%2卷"_s.arg(titles[r % 10]).arg(r % 997));
        set->SetValue(3, u"作者%1"_s.arg(r % 5000));
        set->SetValue(4, presses[r % 4]);
        set->SetValue(5, u"978-7-%1"_s.arg(r % 100000000));
        set->SetValue(6, double(r % 20000) / 100.0);
        set->SetValue(7, int(r % 9));
        set->SetValue(8, int(r % 300));
        set->SetValue(9, QDateTime(QDate(2015, 1, 1).addDays(int(r % 3000)), QTime(0, 0)));
        set->SetValue(10, u"%1排%2架"_s.arg(r % 30).arg(r % 12));
        set->Post();
    }
    set->EnableControls();
    set->First();
    return set;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// Median milliseconds of `runs` runs of `work`, each after `prepare` (not timed).
double measure(int runs, const std::function<void()>& work, const std::function<void()>& prepare = {})
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

void report(const QString& what, double ours, double direct, const QString& target)
{
    if (direct > 0)
        std::printf("  %-36s %9.1f ms   directly %9.1f ms   ratio %5.2f   target %s\n", qPrintable(what), ours, direct,
                    ours / direct, qPrintable(target));
    else
        std::printf("  %-36s %9.1f ms   %37s target %s\n", qPrintable(what), ours, "", qPrintable(target));
    std::fflush(stdout);
}

// Draws whatever the grid shows now, as the next paint would.
void paint(QWidget& grid)
{
    grid.repaint();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({u"rows"_s, u"rows in the list"_s, u"n"_s, u"100000"_s});
    parser.addOption({u"runs"_s, u"runs per figure"_s, u"n"_s, u"5"_s});
    parser.process(app);
    const int rows = std::max(1, parser.value(u"rows"_s).toInt());
    const int runs = std::max(1, parser.value(u"runs"_s).toInt());

    std::printf("Grid and export, %d rows of %d columns, median of %d runs\n", rows, int(kColumns.size()), runs);
    auto set = makeBooks(rows);
    const int title = set->FieldIndex(u"Name"_s);

    TlwDBGrid grid;
    grid.resize(1000, 700);
    grid.show();
    const double show = measure(
        runs,
        [&] {
            grid.SetDataSet(set.get());
            paint(grid);
        },
        [&] {
            grid.SetDataSet(nullptr);
            paint(grid);
        });
    report(u"set %1 rows into the grid"_s.arg(rows), show, 0, u"-"_s);

    // Sorting by the title: the data set reorders, the grid resets and paints the new first page.
    const double sort = measure(
        runs,
        [&] {
            set->SetSort(u"Name"_s);
            paint(grid);
        },
        [&] { set->SetSort(QString()); });
    // Directly: the same text values, sorted the same way (stable, letter case ignored).
    QStringList titles;
    titles.reserve(rows);
    for (int row = 0; row < rows; ++row)
        titles.append(set->CellValue(row, title).toString());
    const double sortDirect = measure(runs, [&] {
        QList<int> order(rows);
        for (int i = 0; i < rows; ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return titles.at(a).compare(titles.at(b), Qt::CaseInsensitive) < 0; });
    });
    report(u"sort by one text column"_s, sort, sortDirect, u"< 300 ms"_s);
    const double sortPrice = measure(
        runs,
        [&] {
            set->SetSort(u"Price DESC"_s);
            paint(grid);
        },
        [&] { set->SetSort(QString()); });
    report(u"sort by one number column"_s, sortPrice, 0, u"< 300 ms"_s);
    set->SetSort(u"Name"_s);

    QTemporaryDir folder;
    const RExportColumns columns = grid.VisibleExportColumns();
    // The cells as text, made once, for the direct writers.
    QList<QStringList> cells;
    cells.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        QStringList line;
        for (const RExportColumn& column : columns)
            line.append(TDataWriter::ValueText(*set, row, column.Field));
        cells.append(line);
    }

    const QString csv = folder.filePath(u"books.csv"_s);
    const double csvOurs = measure(runs, [&] {
        QString error;
        if (!TDataWriter::WriteFile(TExportFormat::Csv, csv, *set, columns, &error))
            qFatal("csv: %s", qPrintable(error));
    });
    const double csvDirect = measure(runs, [&] {
        QFile file(folder.filePath(u"direct.csv"_s));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("csv direct");
        QByteArray block;
        for (const QStringList& line : std::as_const(cells)) {
            block += line.join(u',').toUtf8();
            block += ",\r\n";
            if (block.size() > 256 * 1024) {
                file.write(block);
                block.clear();
            }
        }
        file.write(block);
    });
    report(u"export to CSV"_s, csvOurs, csvDirect, u"< 1 s"_s);

    const QString xlsx = folder.filePath(u"books.xlsx"_s);
    const double xlsxOurs = measure(runs, [&] {
        QString error;
        if (!TDataWriter::WriteFile(TExportFormat::Excel, xlsx, *set, columns, &error))
            qFatal("xlsx: %s", qPrintable(error));
    });
    QList<QList<QByteArray>> utf8;
    utf8.reserve(rows);
    for (const QStringList& line : std::as_const(cells)) {
        QList<QByteArray> encoded;
        for (const QString& cell : line)
            encoded.append(cell.toUtf8());
        utf8.append(encoded);
    }
    const QByteArray direct = QFile::encodeName(folder.filePath(u"direct.xlsx"_s));
    const double xlsxDirect = measure(runs, [&] {
        // the same options the export takes for a set this large
        lxw_workbook_options options{};
        options.constant_memory = rows >= 10000 ? LXW_TRUE : LXW_FALSE;
        options.use_zip64 = LXW_TRUE;
        lxw_workbook* workbook = workbook_new_opt(direct.constData(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
        lxw_format* text = workbook_add_format(workbook);
        format_set_num_format(text, "@");
        worksheet_set_column(sheet, 0, lxw_col_t(columns.size() - 1), LXW_DEF_COL_WIDTH, text);
        for (int row = 0; row < utf8.size(); ++row)
            for (int c = 0; c < utf8.at(row).size(); ++c)
                worksheet_write_string(sheet, lxw_row_t(row + 1), lxw_col_t(c), utf8.at(row).at(c).constData(), text);
        workbook_close(workbook);
    });
    report(u"export to .xlsx"_s, xlsxOurs, xlsxDirect, u"< 3 s"_s);
    std::printf("  (files: CSV %.1f MB, .xlsx %.1f MB)\n", double(QFile(csv).size()) / 1e6,
                double(QFile(xlsx).size()) / 1e6);
    return 0;
}
