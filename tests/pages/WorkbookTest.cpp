// Comparison workbook export and import: layouts per result kind, both formats, read back by
// python3-xlrd / openpyxl, workbooks written by xlwt, and every way a workbook can be refused.
#include "FileChooser.h"
#include "FirstPageFor310.h"
#include "ModalCatcher.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace RecordColumn;

// Runs a python script with the spreadsheet modules; its standard output parsed as JSON.
QJsonValue runPython(const char *script, const QStringList &arguments)
{
    QProcess python;
    python.start(QStringLiteral(PYTHON3_WITH_SPREADSHEETS),
                 QStringList{QStringLiteral("-c"), QString::fromUtf8(script)} + arguments);
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        ADD_FAILURE() << python.readAllStandardError().toStdString();
        return {};
    }
    const QByteArray out = python.readAllStandardOutput();
    return out.trimmed().isEmpty() ? QJsonValue() : QJsonDocument::fromJson("[" + out + "]").array().at(0);
}

// Every cell of sheet 1: null, a number, a string, or {"date": ISO text}.
QJsonArray readIndependently(const QString &path)
{
    const char *script = R"(
import json, sys
path = sys.argv[1]
def plain(v):
    import datetime
    if isinstance(v, datetime.datetime):
        return {"date": v.strftime("%Y-%m-%dT%H:%M")}
    return v
if path.endswith(".xlsx"):
    import openpyxl
    ws = openpyxl.load_workbook(path).worksheets[0]
    rows = [[plain(c.value) for c in row] for row in ws.iter_rows(min_row=1, max_row=ws.max_row)]
else:
    import xlrd
    book = xlrd.open_workbook(path)
    sheet = book.sheet_by_index(0)
    def cell(c):
        if c.ctype in (0, 6):
            return None
        if c.ctype == 3:
            return plain(xlrd.xldate_as_datetime(c.value, book.datemode))
        return c.value
    rows = [[cell(c) for c in sheet.row(r)] for r in range(sheet.nrows)]
print(json.dumps([[v for v in r] for r in rows]))
)";
    return runPython(script, {path}).toArray();
}

// Writes sheet 1 with xlwt: rows of JSON values, {"date": "..."} cells as date-times; row 1 left empty.
void writeWithXlwt(const QString &path, const QJsonArray &rows)
{
    const char *script = R"(
import json, sys, datetime, xlwt
rows = json.loads(sys.argv[2])
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("Sheet1")
dates = xlwt.easyxf(num_format_str="yyyy/mm/dd hh:mm")
for r, row in enumerate(rows):
    for c, v in enumerate(row):
        if isinstance(v, dict):
            sheet.write(r + 1, c, datetime.datetime.strptime(v["date"], "%Y-%m-%dT%H:%M"), dates)
        elif v is not None:
            sheet.write(r + 1, c, v)
book.save(sys.argv[1])
)";
    runPython(script, {path, QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact))});
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The page columns each result kind's columns F onward come from, and whether they hold percentages.
struct KindColumns
{
    int kind;
    QStringList headers;
    QList<int> columns;
};

const KindColumns kindColumns[] = {
    {0,
     {"Standard Haze", "Standard Transmittance", "Sample Haze", "Sample Transmittance", "Haze Tolerance", "△Haze",
      "Transmittance Tolerance", "△Transmittance", "Result"},
     {3, 4, 14, 15, HazeTolerance, DeltaHaze, TransmittanceTolerance, DeltaTransmittance, Result}},
    {1, {"Standard Haze", "Sample Haze", "Haze Tolerance", "△Haze", "Result"}, {3, 14, HazeTolerance, DeltaHaze, Result}},
    {2,
     {"Standard Transmittance", "Sample Transmittance", "Transmittance Tolerance", "△Transmittance", "Result"},
     {4, 15, TransmittanceTolerance, DeltaTransmittance, Result}},
    {3,
     {"Standard L*", "Standard a*", "Standard b*", "Sample L*", "Sample a*", "Sample b*", "△E Thresholds", "△E", "Result"},
     {5, 6, 7, 16, 17, 18, Threshold, DeltaE, Result}},
    {4,
     {"Standard L*", "Standard C*", "Standard h", "Sample L*", "Sample C*", "Sample h", "△E Thresholds", "△E", "Result"},
     {8, 9, 10, 19, 20, 21, Threshold, DeltaE, Result}},
    {5,
     {"Standard Y", "Standard x", "Standard y", "Sample Y", "Sample x", "Sample y", "△E Thresholds", "△E", "Result"},
     {11, 12, 13, 22, 23, 24, Threshold, DeltaE, Result}},
};

const QList<int> commonColumns{Number, Model, SerialNumber, Name, Time};

bool isPercentColumn(int column)
{
    return column == 3 || column == 4 || column == 14 || column == 15 || column == DeltaHaze
        || column == DeltaTransmittance;
}

class WorkbookPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FileChooser::setAnswer([this](const FileChooser::Request &request) {
            asked.append(request);
            if (request.selectedFilter && !filter.isEmpty())
                *request.selectedFilter = filter;
            return request.save ? saveAnswer : openAnswer;
        });
        page.findChild<QLineEdit *>(QStringLiteral("lineEdit_serialNo"))->setText(QStringLiteral("SN-0042"));
    }
    void TearDown() override { FileChooser::setAnswer({}); }

    // n judged records with Chinese names, alternating PASS and NG.
    void addRecords(int n)
    {
        for (int k = 0; k < n; ++k) {
            const bool pass = k % 2 == 0;
            page.counters().add(pass);
            RecordFields fields;
            fields.number = page.counters().total();
            fields.name = QStringLiteral("样品%1").arg(k + 1);
            fields.time = ComparisonRecord::timeText(QDateTime(QDate(2026, 3, 4), QTime(9, 5 + k)));
            fields.standard.values = {12.34, 88.5, 50.12, -1.5, 3.25, 50.12, 3.58, 114.8, 18.7, 0.3127, 0.329};
            fields.sample = fields.standard;
            fields.sample.values[Quantity::Haze] += 0.25 * k;
            fields.sample.values[Quantity::L] -= 0.5 * k;
            fields.deltaHaze = 0.25 * k;
            fields.deltaTransmittance = -0.1;
            fields.deltaE = 0.5 * k;
            fields.result = pass ? RecordResult::Pass : RecordResult::Ng;
            fields.hazeTolerance = 0.5;
            fields.transmittanceTolerance = 1;
            fields.threshold = 1.5;
            fields.model = QStringLiteral("TQ310");
            fields.serialNumber = QStringLiteral("SN-0042");
            page.appendRecord(fields);
        }
        page.showCounters();
    }
    QStringList texts(int row, const QList<int> &columns) const
    {
        QStringList out;
        for (int column : columns)
            out << page.records().at(row).text(column);
        return out;
    }
    QStringList counterTexts() const
    {
        QStringList out;
        for (const char *name : {"lineEdit_unqualNum", "lineEdit_qualNum", "lineEdit_totalNum"})
            out << page.findChild<QLineEdit *>(QLatin1String(name))->text();
        return out;
    }
    int listRows() const { return page.findChild<QTableWidget *>(QStringLiteral("tableWidget_data"))->rowCount(); }
    // Imports path (the list empty before) under kind; the messages seen.
    QStringList importFile(const QString &path, int kind)
    {
        page.state().setResultKind(kind);
        openAnswer = path;
        catcher.clear();
        page.on_ImportExcelBtn_clicked();
        return catcher.texts();
    }

    QTemporaryDir folder;
    QString saveAnswer = folder.filePath(QStringLiteral("compare.xls"));
    QString openAnswer;
    QString filter;
    QList<FileChooser::Request> asked;
    ModalCatcher catcher;
    FirstPageFor310 page;
};

struct Format
{
    const char *suffix;
    QByteArray magic;
};

class WorkbookRoundTrip : public WorkbookPage, public ::testing::WithParamInterface<std::tuple<KindColumns, Format>>
{
};

// Export, read the file independently, import it back: the records return as the list showed them.
TEST_P(WorkbookRoundTrip, ExportReadBackAndImport)
{
    const auto &[kind, format] = GetParam();
    page.state().setResultKind(kind.kind);
    addRecords(3);
    QList<QStringList> before;
    for (int r = 0; r < 3; ++r)
        before << texts(r, commonColumns + kind.columns);
    saveAnswer = folder.filePath(QStringLiteral("compare.") + QLatin1String(format.suffix));

    ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());
    EXPECT_EQ(catcher.seen().size(), 1);
    EXPECT_EQ(catcher.seen().value(0).title, QStringLiteral("Storing data"));
    EXPECT_EQ(catcher.lastText(), QStringLiteral("Data stored to file Success"));
    EXPECT_EQ(listRows(), 0);
    EXPECT_EQ(counterTexts(), (QStringList{"0", "0", "0"}));
    EXPECT_TRUE(contents(saveAnswer).startsWith(format.magic));

    const QJsonArray rows = readIndependently(saveAnswer);
    ASSERT_EQ(rows.size(), 2 + 3);
    for (const QJsonValue &cell : rows[0].toArray())
        EXPECT_TRUE(cell.isNull()) << "sheet row 1 stays empty";
    QStringList header;
    for (const QJsonValue &cell : rows[1].toArray())
        header << cell.toString();
    EXPECT_EQ(header, QStringList({"NO", "Model", "SN", "Name", "Time"}) + kind.headers);
    const QList<int> columns = commonColumns + kind.columns;
    for (int r = 0; r < 3; ++r) {
        const QJsonArray row = rows[2 + r].toArray();
        ASSERT_EQ(row.size(), columns.size());
        for (int c = 0; c < columns.size(); ++c) {
            const QString text = before[r][c];
            const QJsonValue stored = row[c];
            bool numeric = false;
            const double number = text.toDouble(&numeric);
            if (columns[c] == Time) {
                EXPECT_EQ(stored.toObject().value("date").toString(),
                          QStringLiteral("2026-03-04T09:%1").arg(5 + r, 2, 10, QChar('0')));
            } else if (isPercentColumn(columns[c])) {
                EXPECT_NEAR(stored.toDouble(), text.chopped(1).toDouble() / 100, 1e-12) << text.toStdString();
            } else if (numeric) {
                EXPECT_DOUBLE_EQ(stored.toDouble(), number) << text.toStdString();
            } else {
                EXPECT_EQ(stored.toString(), text);
            }
        }
    }

    EXPECT_TRUE(importFile(saveAnswer, kind.kind).isEmpty());
    ASSERT_EQ(page.records().count(), 3);
    for (int r = 0; r < 3; ++r) {
        QStringList expected = before[r];
        expected[commonColumns.indexOf(Time)].replace(QStringLiteral("  "), QStringLiteral(" "));
        for (int c = 0; c < columns.size(); ++c) {
            bool numeric = false;
            const double number = expected[c].toDouble(&numeric);
            if (numeric) // a number comes back in its shortest form: "1.5" stays, "88.50" reads 88.5
                expected[c] = QString::number(number);
        }
        EXPECT_EQ(texts(r, columns), expected);
        for (int column = 0; column < Count; ++column) {
            if (!columns.contains(column) && column != DeleteButton && column != ReportButton) {
                EXPECT_EQ(page.records().at(r).text(column), QStringLiteral("----")) << column;
            }
        }
    }
    EXPECT_EQ(counterTexts(), (QStringList{"1", "2", "3"}));
}

INSTANTIATE_TEST_SUITE_P(KindsAndFormats, WorkbookRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kindColumns),
                                            ::testing::Values(Format{"xls", QByteArray::fromHex("d0cf11e0")},
                                                              Format{"xlsx", "PK\x03\x04"})),
                         [](const auto &info) {
                             return QStringLiteral("kind%1_%2")
                                 .arg(std::get<0>(info.param).kind)
                                 .arg(QLatin1String(std::get<1>(info.param).suffix))
                                 .toStdString();
                         });

TEST_F(WorkbookPage, SaveDialogProposalAndFilterSuffix)
{
    addRecords(1);
    saveAnswer = folder.filePath(QStringLiteral("chosen"));
    filter = QStringLiteral("excel file (*.xlsx)");
    ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].save);
    EXPECT_EQ(asked[0].caption, QStringLiteral("Storing data to Excel"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^CompareM\\d{12}$")).match(asked[0].proposed).hasMatch());
    EXPECT_EQ(asked[0].filters, QStringLiteral("excel file (*.xls);;excel file (*.xlsx)"));
    EXPECT_TRUE(contents(saveAnswer + ".xlsx").startsWith("PK\x03\x04")) << "the chosen filter's extension";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"chosen.xlsx"});
}

TEST_F(WorkbookPage, NothingToExportOrDialogCancelled)
{
    EXPECT_FALSE(page.on_pushButton_exportExcel_clicked());
    EXPECT_EQ(catcher.seen().value(0).title, QStringLiteral("error"));
    EXPECT_EQ(catcher.lastText(), QStringLiteral("No data for Storing to Excel!"));
    EXPECT_TRUE(asked.isEmpty());

    addRecords(2);
    saveAnswer.clear();
    catcher.clear();
    EXPECT_FALSE(page.on_pushButton_exportExcel_clicked());
    EXPECT_TRUE(catcher.seen().isEmpty());
    EXPECT_EQ(listRows(), 2);
}

// A target that cannot be replaced keeps the old file, the list and the counters.
TEST_F(WorkbookPage, UnwritableTargetKeepsOldFileAndList)
{
    addRecords(2);
    QFile old(saveAnswer);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old workbook");
    old.close();
    const QString inTheWay = folder.filePath(QStringLiteral("folder.xls"));
    ASSERT_TRUE(QDir().mkpath(inTheWay));
    const struct
    {
        QString target;
        QString message;
        bool needsNonRoot;
    } cases[] = {
        {saveAnswer, QStringLiteral("Can't overwrite this file, maybe the file is in use!"), true},
        {inTheWay, QStringLiteral("Can't overwrite this file, maybe the file is in use!"), false},
        {folder.filePath(QStringLiteral("missing/compare.xls")), QStringLiteral("Failed to store data, can't open file!"),
         false},
    };
    for (const auto &c : cases) {
        const bool locked = c.needsNonRoot && QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (c.needsNonRoot && (!locked || QFileInfo(folder.path()).isWritable())) {
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            continue; // root may write anywhere
        }
        saveAnswer = c.target;
        catcher.clear();
        EXPECT_FALSE(page.on_pushButton_exportExcel_clicked());
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(catcher.seen().value(0).title, QStringLiteral("Error"));
        EXPECT_EQ(catcher.texts(), QStringList{c.message});
        EXPECT_EQ(listRows(), 2);
        EXPECT_EQ(counterTexts(), (QStringList{"1", "1", "2"}));
        EXPECT_EQ(contents(folder.filePath(QStringLiteral("compare.xls"))), QByteArray("old workbook"));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList{"compare.xls", "folder.xls"}))
            << "no scratch file left";
    }
}

// A workbook written with the Chinese interface imports under the English one.
TEST_F(WorkbookPage, ChineseHeadersAndResultsFromXlwt)
{
    const QString path = folder.filePath(QStringLiteral("chinese.xls"));
    const auto date = [](const char *iso) { return QJsonObject{{"date", iso}}; };
    writeWithXlwt(path,
                  QJsonArray{QJsonArray{"序号", "型号", "序列号", "名称", "时间", "标准值雾度", "标准值透光率", "样品值雾度",
                                        "样品值透光率", "雾度容差", "△雾度", "透光率容差", "△透光率", "结果"},
                             QJsonArray{1, "TQ320", "A7", "第一", date("2025-12-31T23:59"), 0.1234, 0.9, 0.125, 0.8999,
                                        "±0.50%", 0.0016, "±1.00%", -0.0001, "合格"},
                             QJsonArray{2, "TQ320", "A7", "第二", date("2026-01-01T00:00"), 0.1234, 0.9, 0.2, 0.9,
                                        "±0.50%", 0.0766, "±1.00%", 0, "不合格"},
                             QJsonArray{3, "TQ320", "A7", "", date("2026-01-01T00:01"), 0, 1, 0, 1, "", 0, "", 0, "?"}});
    EXPECT_TRUE(importFile(path, 0).isEmpty());
    ASSERT_EQ(page.records().count(), 3);
    const QList<int> columns{Number, Model, SerialNumber, Name, Time, 3, 4, 14, 15, HazeTolerance, DeltaHaze,
                             TransmittanceTolerance, DeltaTransmittance, Result};
    EXPECT_EQ(texts(0, columns), (QStringList{"1", "TQ320", "A7", "第一", "2025/12/31 23:59", "12.34%", "90.00%", "12.50%",
                                             "89.99%", "±0.50%", "0.16%", "±1.00%", "-0.01%", "PASS"}));
    EXPECT_EQ(texts(1, columns).mid(4), (QStringList{"2026/01/01 00:00", "12.34%", "90.00%", "20.00%", "90.00%", "±0.50%",
                                                    "7.66%", "±1.00%", "0.00%", "NG"}));
    EXPECT_EQ(page.records().at(2).text(Result), QStringLiteral("----")) << "neither PASS nor NG";
    EXPECT_EQ(counterTexts(), (QStringList{"1", "1", "2"})) << "the unknown result is not counted";
}

TEST_F(WorkbookPage, KindMismatchRejectedOnColumnG)
{
    const struct
    {
        int exportedAs;
        int importedAs;
    } cases[] = {{0, 1}, {1, 0}, {3, 4}, {4, 3}, {5, 0}};
    for (const auto &c : cases) {
        page.state().setResultKind(c.exportedAs);
        addRecords(2);
        saveAnswer = folder.filePath(QStringLiteral("kind%1.xls").arg(c.exportedAs));
        catcher.clear();
        ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());
        EXPECT_EQ(importFile(saveAnswer, c.importedAs),
                  QStringList{QStringLiteral("The import file is not an export file of this software!")});
        EXPECT_EQ(catcher.seen().value(0).title, QStringLiteral("Error："));
        EXPECT_EQ(listRows(), 0) << c.exportedAs << " as " << c.importedAs;
    }
}

// Each bad workbook: its message, nothing added, the file untouched; opening never creates one.
TEST_F(WorkbookPage, BadWorkbooksRejectedWithTheirMessage)
{
    const QString cantOpen = QStringLiteral("Can't open file！");
    const QString unreadable = QStringLiteral("Failed to read excel file！");
    const QString foreign = QStringLiteral("The import file is not an export file of this software!");
    const QJsonArray header{"NO", "Model", "SN", "Name", "Time", "Standard Haze", "Standard Transmittance", "Sample Haze",
                            "Sample Transmittance", "Haze Tolerance", "△Haze", "Transmittance Tolerance",
                            "△Transmittance", "Result"};
    const QJsonArray good{1, "M", "S", "n", QJsonObject{{"date", "2026-01-01T10:00"}}, 0.1, 0.9, 0.1, 0.9, "", 0, "", 0,
                          "PASS"};
    QJsonArray nonNumeric = good;
    nonNumeric[7] = "a lot";
    QJsonArray shortRow = good;
    while (shortRow.size() > 8)
        shortRow.removeLast();
    QJsonArray neither = header;
    neither[5] = "Haze";
    neither[6] = "Transmittance";
    const struct
    {
        const char *name;
        QJsonArray rows; // written with xlwt unless empty
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"foreign.xls", {}, "not a workbook at all", cantOpen},
        {"empty.xls", QJsonArray{}, {}, unreadable},
        {"neither.xls", QJsonArray{neither, good}, {}, foreign},
        {"narrow.xls", QJsonArray{QJsonArray{"NO", "Model", "SN", "Name", "Time", "Standard Haze"}}, {}, unreadable},
        {"nonNumeric.xls", QJsonArray{header, good, nonNumeric}, {}, unreadable},
        {"shortRows.xls", QJsonArray{QJsonArray{"NO", "Model", "SN", "Name", "Time", "Standard Haze", "Standard Transmittance", "x"}, shortRow}, {}, unreadable},
        {"missing.xls", {}, {}, cantOpen},
    };
    for (const auto &c : cases) {
        const QString path = folder.filePath(QLatin1String(c.name));
        if (!c.bytes.isEmpty()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.bytes);
        } else if (QLatin1String(c.name) != QLatin1String("missing.xls")) {
            writeWithXlwt(path, c.rows);
        }
        const QByteArray original = contents(path);
        EXPECT_EQ(importFile(path, 0), QStringList{c.message}) << c.name;
        EXPECT_EQ(catcher.seen().value(0).title, QStringLiteral("Error：")) << c.name;
        EXPECT_EQ(listRows(), 0) << c.name;
        EXPECT_EQ(contents(path), original) << c.name;
    }
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("missing.xls"))));

    // A workbook cut short.
    addRecords(3);
    ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());
    const QByteArray whole = contents(saveAnswer);
    const QString cut = folder.filePath(QStringLiteral("cut.xls"));
    QFile file(cut);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(whole.left(whole.size() / 2));
    file.close();
    EXPECT_EQ(importFile(cut, 0), QStringList{cantOpen});
    EXPECT_EQ(listRows(), 0);
}

TEST_F(WorkbookPage, HeaderOnlyWorkbookImportsNothingSilently)
{
    const QString path = folder.filePath(QStringLiteral("header.xls"));
    writeWithXlwt(path, QJsonArray{QJsonArray{"NO", "Model", "SN", "Name", "Time", "Standard L*", "标准值a*", "Standard b*"}});
    EXPECT_TRUE(importFile(path, 3).isEmpty());
    EXPECT_EQ(listRows(), 0);
}

// The list holds records: the user saves them first or discards them.
TEST_F(WorkbookPage, OfferToExportBeforeImport)
{
    const QString source = folder.filePath(QStringLiteral("source.xls"));
    addRecords(1);
    saveAnswer = source;
    ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());

    // No empties the list even when the file dialog is then cancelled.
    addRecords(2);
    catcher.answerNext(QMessageBox::No);
    EXPECT_EQ(importFile(QString(), 0), QStringList{"Data import willempty the list, to save data first?"});
    EXPECT_EQ(catcher.seen().value(0).title, QStringLiteral("Colorimeter"));
    EXPECT_EQ(listRows(), 0);
    EXPECT_EQ(asked.last().caption, QStringLiteral("Select one Excel files to open"));
    EXPECT_EQ(asked.last().proposed, QStringLiteral("./"));
    EXPECT_EQ(asked.last().filters, QStringLiteral("excel file (*.xls *.xlsx)"));

    // Yes exports first, then imports.
    addRecords(2);
    saveAnswer = folder.filePath(QStringLiteral("saved.xls"));
    EXPECT_EQ(importFile(source, 0), (QStringList{"Data import willempty the list, to save data first?",
                                                  "Data stored to file Success"}));
    EXPECT_EQ(readIndependently(saveAnswer).size(), 2 + 2);
    EXPECT_EQ(listRows(), 1);
}

} // namespace
