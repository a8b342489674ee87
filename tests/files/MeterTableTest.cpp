// The meter table: the shipped workbook, lookups and what load and lookup have to say.

#include "MeterTable.h"
#include "WorkbookFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString writeTable(const QString &path, const QList<QStringList> &rows)
{
    Sheet sheet{QStringLiteral("Sheet1"), {}};
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c)
            sheet.cells.emplace(CellPos{r + 1, c}, cellFromText(rows[r][c])); // row 1 left empty
    }
    Workbook workbook;
    workbook.sheets.push_back(std::move(sheet));
    QString error;
    EXPECT_TRUE(writeWorkbookFile(path, workbook, formatForExtension(path), error)) << error.toStdString();
    return path;
}

QString said(const MeterTableMessage &message)
{
    return message.title + u'|' + message.text;
}

TEST(MeterTable, TheShippedTableKnowsTheSimulatedMeters)
{
    MeterTable table;
    ASSERT_TRUE(table.load(QStringLiteral(LUMIVEX_BINARY_DIR "/meterno.xls")).isEmpty());
    EXPECT_EQ(table.rowCount(), 4);
    const std::tuple<quint32, const char *, int> meters[] = {{310000, "TQ310", 0}, {320001, "TQ320", 1},
                                                             {320002, "TQ320", 2}};
    for (const auto &[meterNumber, expectedModel, expectedType] : meters) {
        QString model;
        int deviceType = -1;
        const MeterLookup meter = table.lookup(meterNumber, model, deviceType);
        EXPECT_TRUE(meter.found && meter.message.isEmpty()) << meterNumber;
        EXPECT_EQ(model, expectedModel);
        EXPECT_EQ(deviceType, expectedType);
    }
}

TEST(MeterTable, TheFirstMatchWinsAndAMissSaysSo)
{
    QTemporaryDir folder;
    const QString path = writeTable(folder.filePath("meterno.xls"), {{"MeterNo", "Model", "Type"},
                                                                     {"abc", "TQ999", "2"},
                                                                     {"77", "TQ310", "0"},
                                                                     {"77", "TQ320", "1"},
                                                                     {"78.5", "TQ320", "1"}});
    MeterTable table;
    ASSERT_TRUE(table.load(path).isEmpty());
    QString model;
    int deviceType = 5;
    EXPECT_TRUE(table.lookup(77, model, deviceType).found);
    EXPECT_EQ(model, "TQ310");
    EXPECT_EQ(deviceType, 0);

    deviceType = 5;
    for (const quint32 miss : {0u, 78u, 999u}) { // a text or fraction in column A matches nothing
        const MeterLookup meter = table.lookup(miss, model, deviceType);
        EXPECT_FALSE(meter.found);
        EXPECT_EQ(model, MeterTable::unknownModelName());
        EXPECT_EQ(deviceType, 5);
        EXPECT_EQ(said(meter.message), "Error|Read MeterNo Fail!");
    }
}

TEST(MeterTable, LoadRefusesMissingAndHeaderOnlyTables)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath("meterno.xls");
    const QString headerOnly = writeTable(folder.filePath("header.xlsx"), {{"MeterNo", "Model", "Type"}});
    MeterTable table;
    EXPECT_EQ(said(table.load(missing)), QString::fromUtf8("Error：|Can't open file！"));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(said(table.load(headerOnly)), QString::fromUtf8("Error：|Failed to read excel file！"));

    // A failed load leaves an empty table: lookups stay "UnKnow" without a message.
    QString model = "TQ310";
    int deviceType = 1;
    const MeterLookup meter = table.lookup(310000, model, deviceType);
    EXPECT_FALSE(meter.found || !meter.message.isEmpty());
    EXPECT_EQ(model, "UnKnow");
    EXPECT_EQ(deviceType, 1);
}

} // namespace
