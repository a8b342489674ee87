// The meter table: the shipped workbook, lookups and what load and lookup have to say.

#include "MeterTable.h"
#include "WorkbookTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString writeTable(const QString &path, const QList<QStringList> &rows)
{
    Sheet sheet{QStringLiteral("Sheet1"), {}};
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c)
            sheet.cells.emplace(CellPos{r + 1, c}, // row 1 left empty
                                rows[r][c] == "NaN" ? Cell{qQNaN()} : cellFromText(rows[r][c]));
    }
    return writeSample(path, formatForExtension(path), workbookOf(std::move(sheet)));
}

QString said(const MeterTableMessage &message) { return message.title + u'|' + message.text; }

// "found model type title|text" after a lookup that starts from model "TQ310" and type 5.
QString lookedUp(const MeterTable &table, quint32 meterNumber)
{
    QString model = QStringLiteral("TQ310");
    int deviceType = 5;
    const MeterLookup meter = table.lookup(meterNumber, model, deviceType);
    return QStringLiteral("%1 %2 %3 ").arg(int(meter.found)).arg(model).arg(deviceType) + said(meter.message);
}

TEST(MeterTable, TheShippedTableKnowsTheSimulatedMeters)
{
    MeterTable table;
    ASSERT_TRUE(table.load(QStringLiteral(LUMIVEX_BINARY_DIR "/meterno.xls")).isEmpty());
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(lookedUp(table, 310000), "1 TQ310 0 |");
    EXPECT_EQ(lookedUp(table, 320001), "1 TQ320 1 |");
    EXPECT_EQ(lookedUp(table, 320002), "1 TQ320 2 |");
}

TEST(MeterTable, TheFirstMatchWinsAndAMissSaysSo)
{
    QTemporaryDir folder;
    const QString path = writeTable(folder.filePath("meterno.xls"),
                                    {{"MeterNo", "Model", "Type"}, {"abc", "TQ999", "2"}, {"1e300", "TQ999", "2"},
                                     {"-1e300", "TQ999", "2"}, {"NaN", "TQ999", "2"}, {"77", "TQ310", "0"},
                                     {"77", "TQ320", "1"}, {"78.5", "TQ320", "1"}});
    MeterTable table;
    ASSERT_TRUE(table.load(path).isEmpty());
    EXPECT_EQ(lookedUp(table, 77), "1 TQ310 0 |");
    // A text, a fraction, a number beyond any meter number or NaN in column A matches nothing.
    for (const quint32 miss : {0u, 78u, 999u})
        EXPECT_EQ(lookedUp(table, miss), "0 " + MeterTable::unknownModelName() + " 5 Error|Read MeterNo Fail!");
}

TEST(MeterTable, LoadRefusesMissingAndHeaderOnlyTables)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath("meterno.xls");
    MeterTable table;
    EXPECT_EQ(said(table.load(missing)), QString::fromUtf8("Error：|Can't open file！"));
    EXPECT_FALSE(QFile::exists(missing));
    const QString headerOnly = writeTable(folder.filePath("header.xlsx"), {{"MeterNo", "Model", "Type"}});
    EXPECT_EQ(said(table.load(headerOnly)), QString::fromUtf8("Error：|Failed to read excel file！"));
    // A failed load leaves an empty table: lookups stay "UnKnow" without a message.
    EXPECT_EQ(lookedUp(table, 310000), "0 UnKnow 5 |");
}

} // namespace
