// The spectral export, read back by an independent reader (python3-xlrd).
#include "SpectralTestSupport.h"

#include "FileChooser.h"
#include "ModalCatcher.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Every cell of sheet 1 as JSON: null for empty, a string or a number.
QJsonArray readWithXlrd(const QString &path)
{
    const char *script = R"(
import json, sys, xlrd
sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
print(json.dumps([[None if c.ctype in (0, 6) else c.value for c in sheet.row(r)] for r in range(sheet.nrows)]))
)";
    QProcess python;
    python.start(QStringLiteral(PYTHON3_WITH_SPREADSHEETS), {QStringLiteral("-c"), QString::fromLatin1(script), path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        ADD_FAILURE() << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SpectralExport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FileChooser::setAnswer([this](const FileChooser::Request &request) {
            asked.append(request);
            return answer;
        });
    }
    void TearDown() override { FileChooser::setAnswer({}); }

    void addStored(int n)
    {
        StoredSpectra stored(n);
        page.appendStoredRecords(stored.values, stored.names, n);
    }
    QStringList folderEntries() const
    {
        return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
    QString answer = folder.filePath(QStringLiteral("spectra.xls"));
    QList<FileChooser::Request> asked;
    MeterPageFor310 page{nullptr, 0};
    QTableWidget *table = page.findChild<QTableWidget *>(QStringLiteral("tableWidget_data"));
    ModalCatcher catcher;
};

TEST_F(SpectralExport, WritesTheTableAsShownAndEmptiesThePage)
{
    addStored(3);
    table->item(2, 1)->setText(QStringLiteral("edited 名"));
    answer = folder.filePath(QStringLiteral("spectra")); // no suffix: the .xls filter's
    ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());

    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].caption, QStringLiteral("Storing data to Excel"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^MeterData\\d{12}$")).match(asked[0].proposed).hasMatch())
        << asked[0].proposed.toStdString();
    EXPECT_EQ(asked[0].filters, QStringLiteral("excel file (*.xls);;excel file (*.xlsx)"));
    ASSERT_EQ(catcher.seen().size(), 1);
    EXPECT_EQ(catcher.seen()[0].title, QStringLiteral("Storing data"));
    EXPECT_EQ(catcher.seen()[0].text, QStringLiteral("Data stored to file Success"));
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_TRUE(page.records().isEmpty());
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("spectra.xls")});

    const QJsonArray rows = readWithXlrd(folder.filePath(QStringLiteral("spectra.xls")));
    ASSERT_EQ(rows.size(), 5);
    for (const QJsonValue &c : rows[0].toArray())
        EXPECT_TRUE(c.isNull()) << "sheet row 1 stays empty";
    const QJsonArray header = rows[1].toArray();
    ASSERT_EQ(header.size(), 33);
    EXPECT_EQ(header[0].toString(), QStringLiteral("No"));
    EXPECT_EQ(header[1].toString(), QStringLiteral("Name"));
    for (int i = 0; i < 31; ++i)
        EXPECT_EQ(header[2 + i].toString(), QStringLiteral("%1nm").arg(400 + 10 * i));
    const QStringList names{QStringLiteral("spec1"), QStringLiteral("edited 名"), QStringLiteral("spec3")};
    for (int k = 0; k < 3; ++k) {
        const QJsonArray row = rows[2 + k].toArray();
        ASSERT_EQ(row.size(), 33);
        EXPECT_EQ(row[0].toDouble(), k + 1);
        EXPECT_EQ(row[1].toString(), names[k]);
        for (int i = 0; i < 31; ++i)
            EXPECT_DOUBLE_EQ(row[2 + i].toDouble(), (k * 10 + i) / 100.0) << k << "," << i;
    }
}

TEST_F(SpectralExport, ReplacesAnOldFileWhole)
{
    addStored(5);
    ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());
    addStored(2);
    ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());
    EXPECT_EQ(readWithXlrd(answer).size(), 2 + 2) << "no rows of the old file remain";
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("spectra.xls")});
}

TEST_F(SpectralExport, XlsxWhenChosen)
{
    addStored(1);
    answer = folder.filePath(QStringLiteral("spectra.xlsx"));
    ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());
    EXPECT_TRUE(contents(answer).startsWith("PK\x03\x04"));
}

// The target exists but may not be replaced: the old file and the page's data stay.
TEST_F(SpectralExport, UnreplaceableTargetKeepsOldFileAndData)
{
    struct Setup
    {
        const char *what;
        std::function<bool(const QString &)> protect;
        std::function<void(const QString &)> release;
    };
    auto chattr = [](const char *flag, const QString &path) {
        return QProcess::execute(QStringLiteral("chattr"), {QString::fromLatin1(flag), path}) == 0;
    };
    const Setup setups[] = {
        {"immutable file", [&](const QString &p) { return chattr("+i", p); }, [&](const QString &p) { chattr("-i", p); }},
        {"folder in the way", [](const QString &p) { return QFile::remove(p) && QDir().mkpath(p + "/inside"); },
         [](const QString &) {}},
    };
    addStored(2);
    QFile old(answer);
    for (const Setup &setup : setups) {
        if (QFileInfo(answer).isFile() || !QFileInfo::exists(answer)) {
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old workbook");
            old.close();
        }
        if (!setup.protect(answer)) {
            setup.release(answer);
            continue; // chattr may be missing
        }
        catcher.clear();
        const bool written = page.on_pushButton_exportExcel_clicked();
        setup.release(answer);
        EXPECT_FALSE(written) << setup.what;
        ASSERT_EQ(catcher.seen().size(), 1) << setup.what;
        EXPECT_EQ(catcher.seen()[0].title, QStringLiteral("Error"));
        EXPECT_EQ(catcher.seen()[0].text, QStringLiteral("Can't overwrite this file, maybe the file is in use!"));
        EXPECT_EQ(page.records().size(), 2) << setup.what;
        EXPECT_EQ(table->rowCount(), 3);
        if (QFileInfo(answer).isFile())
            EXPECT_EQ(contents(answer), QByteArray("old workbook")) << setup.what;
        else
            EXPECT_TRUE(QFileInfo::exists(answer + "/inside"));
        EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("spectra.xls")}) << "no scratch file left";
    }
}

TEST_F(SpectralExport, NothingToWriteOrNoFileChosen)
{
    EXPECT_FALSE(page.on_pushButton_exportExcel_clicked());
    ASSERT_EQ(catcher.seen().size(), 1);
    EXPECT_EQ(catcher.seen()[0].title, QStringLiteral("error"));
    EXPECT_EQ(catcher.seen()[0].text, QStringLiteral("No data for Storing to Excel!"));
    EXPECT_TRUE(asked.isEmpty());

    addStored(1);
    answer.clear();
    catcher.clear();
    EXPECT_FALSE(page.on_pushButton_exportExcel_clicked());
    EXPECT_TRUE(catcher.seen().isEmpty());
    EXPECT_EQ(page.records().size(), 1);

    answer = folder.filePath(QStringLiteral("missing/spectra.xls"));
    EXPECT_FALSE(page.on_pushButton_exportExcel_clicked());
    EXPECT_EQ(catcher.lastText(), QStringLiteral("Failed to store data, can't open file!"));
    EXPECT_EQ(page.records().size(), 1);
}

TEST_F(SpectralExport, FifteenHundredRecordsShownDrawnAndExported)
{
    addStored(1500);
    EXPECT_EQ(table->rowCount(), 1501);
    EXPECT_EQ(table->item(1500, 0)->text(), QStringLiteral("1500"));

    page.show();
    const QImage shot = page.grab().toImage();
    const QColor last = SpectralChart::curveColour(1499);
    bool drawn = false;
    for (int y = 0; y < shot.height() && !drawn; ++y) {
        for (int x = 0; x < shot.width() && !drawn; ++x)
            drawn = shot.pixelColor(x, y) == last;
    }
    EXPECT_TRUE(drawn) << "the last curve is on the page";

    ASSERT_TRUE(page.on_pushButton_exportExcel_clicked());
    const QJsonArray rows = readWithXlrd(answer);
    ASSERT_EQ(rows.size(), 2 + 1500);
    EXPECT_EQ(rows[1501].toArray()[0].toDouble(), 1500);
    EXPECT_EQ(rows[1501].toArray()[1].toString(), QStringLiteral("spec1500"));
    EXPECT_DOUBLE_EQ(rows[1501].toArray()[32].toDouble(), (99 * 10 + 30) / 100.0);
}

} // namespace
