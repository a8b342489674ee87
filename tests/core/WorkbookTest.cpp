// Workbooks of both sessions: round trips per kind and format, refusals, spectra read back by openpyxl.
#include "SessionRig.h"

#include "WorkbookTestSupport.h"

#include <QTemporaryDir>

namespace {

using namespace RecordColumn;

struct Pages
{
    LinkPort port;
    ComparisonSession session{port};
    SpectralSession spectral{port, 0};
    QTemporaryDir folder;
    QString path(const char *name) const { return folder.filePath(QLatin1String(name)); }

    // n judged records with Chinese names, alternating PASS and NG.
    void addRecords(int n)
    {
        for (int k = 0; k < n; ++k) {
            const bool pass = k % 2 == 0;
            RecordFields f = fieldsOf(QStringLiteral("样品%1").arg(k + 1), 12.34, 12.34 + 0.25 * k, pass ? RecordResult::Pass : RecordResult::Ng);
            f.number = session.records().countResult(pass);
            f.time = ComparisonRecord::timeText(QDateTime(QDate(2026, 3, 4), QTime(9, 5 + k)));
            f.deltaTransmittance = -0.1;
            f.deltaE = 0.5 * k;
            f.serialNumber = QStringLiteral("SN-0042"); // not a number, which the helper below would reformat
            session.records().append(ComparisonRecord::fromFields(f));
        }
    }
};

// The exported rows once imported again: the time loses a space, numbers their trailing zeros.
QList<QStringList> reimported(QList<QStringList> rows)
{
    for (qsizetype r = 1; r < rows.size(); ++r) {
        for (QString &text : rows[r]) {
            bool numeric = false;
            const double number = text.toDouble(&numeric);
            text = numeric ? QString::number(number) : text.replace(QStringLiteral("  "), QStringLiteral(" "));
        }
    }
    return rows;
}

using WorkbookRoundTrip = ::testing::TestWithParam<std::tuple<int, const char *>>;

TEST_P(WorkbookRoundTrip, ExportedRecordsImportAsTheListShowedThem)
{
    const auto [kind, suffix] = GetParam();
    Pages p;
    p.session.state().setResultKind(kind);
    p.addRecords(3);
    const QList<QStringList> rows = p.session.exportRows();
    const QString file = p.folder.filePath(QStringLiteral("compare.") + QLatin1String(suffix));
    EXPECT_EQ(shown(p.session.exportTo(file)), "Storing data / Data stored to file Success");
    EXPECT_EQ(p.session.records().count() + int(p.session.counters().total()), 0);
    EXPECT_EQ(shown(p.session.importFrom(file)), "");
    EXPECT_EQ(p.session.exportRows(), reimported(rows));
    // What the workbook does not hold reads "----".
    EXPECT_EQ(p.session.records().at(2).text(kind < ResultLab ? DeltaE : DeltaHaze), QStringLiteral("----"));
    EXPECT_EQ(countsOf(p.session.counters()), (std::array{1u, 2u, 3u}));
}

INSTANTIATE_TEST_SUITE_P(KindsAndFormats, WorkbookRoundTrip,
                         ::testing::Combine(::testing::Range(0, int(ResultKindCount)), ::testing::Values("xls", "xlsx")));

// Sheet 1 of a workbook written here, from row 2 on as exports are; "" and invalid cells stay empty.
void writeSheet(const QString &path, const QList<QVariantList> &rows)
{
    Sheet sheet{QStringLiteral("Sheet1"), {}};
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            if (const QVariant &v = rows[r][c]; v.isValid() && v != QString()) {
                Cell &cell = sheet.cells[{r + 1, c}];
                cell.value = v.typeId() == QMetaType::Int ? QVariant(v.toDouble()) : v;
                if (v.typeId() == QMetaType::QDateTime)
                    cell.format = NumberFormat::DateTime;
            }
    writeSample(path, formatForExtension(path), workbookOf(sheet));
}

const QVariantList HazeTHeader{"NO", "Model", "SN", "Name", "Time", "Standard Haze", "Standard Transmittance",
                               "Sample Haze", "Sample Transmittance", "Haze Tolerance", "△Haze",
                               "Transmittance Tolerance", "△Transmittance", "Result"};
const QVariantList GoodRow{1, "M", "S", "n", "2026/01/01 10:00", 0.1, 0.9, 0.1, 0.9, "", 0, "", 0, "PASS"};

QVariantList with(QVariantList row, int column, const QVariant &value)
{
    row[column] = value;
    return row;
}

TEST(Import, RefusedFilesSayWhyAddNothingAndStayAsTheyWere)
{
    const char *const cantOpen = "Error： / Can't open file！";
    const char *const foreign = "Error： / The import file is not an export file of this software! (row 2)";
    const struct
    {
        const char *name;
        int kind;
        QList<QVariantList> rows; // none: the file holds `bytes` or is missing
        QByteArray bytes;
        const char *said;
    } cases[] = {
        {"foreign.xls", 0, {}, "not a workbook at all", cantOpen},
        {"missing.xls", 0, {}, {}, cantOpen},
        {"blank.xlsx", 0, {{QVariant()}}, {}, "Error： / Failed to read excel file！"},
        {"narrow.xls", 0, {HazeTHeader.mid(0, 6)}, {}, "Error： / Failed to read excel file！ (row 2)"},
        {"neither.xls", 0, {with(with(HazeTHeader, 5, "Haze"), 6, "T"), GoodRow}, {}, foreign},
        {"otherKind.xls", ResultHaze, {HazeTHeader, GoodRow}, {}, foreign}, // column G tells the kinds apart
        {"nonNumeric.xls", 0, {HazeTHeader, GoodRow, with(GoodRow, 7, "a lot")}, {}, "Error： / Failed to read excel file！ (row 4)"},
        {"shortRow.xlsx", 0, {HazeTHeader, GoodRow.mid(0, 8)}, {}, "Error： / Failed to read excel file！ (row 3)"},
        {"headerOnly.xls", 0, {HazeTHeader}, {}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Pages p;
        p.session.state().setResultKind(c.kind);
        const QString file = p.path(c.name);
        if (!c.rows.isEmpty())
            writeSheet(file, c.rows);
        if (!c.bytes.isEmpty())
            putContents(file, c.bytes);
        const QByteArray original = contents(file);
        EXPECT_EQ(shown(p.session.importFrom(file)), c.said);
        EXPECT_EQ(p.session.records().count(), 0);
        EXPECT_EQ(contents(file), original);
        EXPECT_EQ(QFileInfo::exists(file), !c.rows.isEmpty() || !c.bytes.isEmpty());
    }
}

// A workbook saved with the Chinese interface imports under the English one.
TEST(Import, ChineseHeadersDatesAndUnknownResults)
{
    Pages p;
    writeSheet(p.path("chinese.xls"),
               {{"序号", "型号", "序列号", "名称", "时间", "标准值雾度", "标准值透光率", "样品值雾度", "样品值透光率", "雾度容差",
                 "△雾度", "透光率容差", "△透光率", "结果"},
                {1, "TQ320", "A7", "第一", QDateTime(QDate(2025, 12, 31), QTime(23, 59)), 0.1234, 0.9, 0.125, 0.8999,
                 "±0.50%", 0.0016, "±1.00%", -0.0001, "合格"},
                {2, "TQ320", "A7", "第二", "2026/01/01 00:00", 0.1234, 0.9, 0.2, 0.9, "±0.50%", 0.0766, "±1.00%", 0, "不合格"},
                {3, "TQ320", "A7", "", "", 0, 1, 0, 1, "", 0, "", 0, "?"}});
    EXPECT_EQ(shown(p.session.importFrom(p.path("chinese.xls"))), "");
    const QList<QStringList> rows = p.session.exportRows();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[1], (QStringList{"1", "TQ320", "A7", "第一", "2025/12/31 23:59", "12.34%", "90.00%", "12.50%", "89.99%",
                                    "±0.50%", "0.16%", "±1.00%", "-0.01%", "PASS"}));
    EXPECT_EQ(rows[2].last() + rows[3].last(), QStringLiteral("NG----")) << "neither PASS nor NG";
    EXPECT_EQ(p.session.counters().total(), 2u) << "the unknown result is not counted";
}

// Another program finds the spectral table's texts as typed, centred cells from sheet row 2 on.
TEST(Export, SpectraAsShownAndFailuresOfBothPagesKeepTheirRecords)
{
    Pages p;
    EXPECT_EQ(shown(p.session.exportTo(p.path("a.xls"))), "error / No data for Storing to Excel!");
    EXPECT_EQ(shown(p.spectral.exportTo(p.path("a.xls"))), "error / No data for Storing to Excel!");
    SpectralRecordModel &model = p.spectral.records();
    for (int k = 0; k < 3; ++k) {
        SpectralRecord record;
        for (int i = 0; i < 31; ++i)
            record.values[i] = (k * 10 + i) / 100.0;
        model.append(record);
    }
    model.setData(model.index(2, SpectralRecordModel::NameColumn), QStringLiteral("edited 名"));
    const QList<QStringList> rows = model.exportRows();
    ASSERT_EQ(rows[0].mid(0, 3) + rows[2].mid(0, 3), (QStringList{"No", "Name", "400nm", "2", "edited 名", "0.1"}));
    EXPECT_EQ(shown(p.spectral.exportTo(p.path("spectra.xlsx"))), "Storing data / Data stored to file Success");
    EXPECT_EQ(model.count(), 0);
    Sheet expected;
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            Cell &cell = expected.cells[{r + 1, c}] = cellFromText(rows[r][c]);
            cell.centred = true;
        }
    EXPECT_EQ(runPython(kOpenpyxlDump, {p.path("spectra.xlsx")}), canonicalSheet(expected));

    p.addRecords(2);
    model.append(SpectralRecord{});
    ASSERT_TRUE(QDir().mkpath(p.path("folder.xls/inside")));
    for (const auto &[target, said] : {std::pair{"folder.xls", "Error / Can't overwrite this file, maybe the file is in use!"},
                                       {"missing/a.xls", "Error / Failed to store data, can't open file!"}}) {
        EXPECT_EQ(shown(p.session.exportTo(p.path(target))), said);
        EXPECT_EQ(shown(p.spectral.exportTo(p.path(target))), said);
        EXPECT_EQ(p.session.records().count() + int(p.session.counters().total()) + model.count(), 5);
    }
}

} // namespace
