// The meter table: the shipped workbook, lookups and the load's messages.

#include "MeterTable.h"
#include "ModalCatcher.h"
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

struct LookupCase
{
    quint32 meterNumber;
    const char *model;
    int deviceType;
};

class ShippedTable : public testing::TestWithParam<LookupCase>
{
};

TEST_P(ShippedTable, KnowsTheSimulatedMeters)
{
    MeterTable table;
    ModalCatcher catcher;
    ASSERT_EQ(table.load(QStringLiteral(LUMIVEX_BINARY_DIR "/meterno.xls"), nullptr), 0);
    EXPECT_EQ(table.rowCount(), 4);
    QString model;
    int deviceType = -1;
    EXPECT_TRUE(table.lookup(GetParam().meterNumber, model, deviceType, nullptr));
    EXPECT_EQ(model, GetParam().model);
    EXPECT_EQ(deviceType, GetParam().deviceType);
    EXPECT_TRUE(catcher.seen().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Meters, ShippedTable,
                         testing::Values(LookupCase{310000, "TQ310", 0}, LookupCase{320001, "TQ320", 1},
                                         LookupCase{320002, "TQ320", 2}));

TEST(MeterTable, TheFirstMatchWinsAndAMissTellsOnce)
{
    QTemporaryDir folder;
    const QString path = writeTable(folder.filePath("meterno.xls"), {{"MeterNo", "Model", "Type"},
                                                                     {"abc", "TQ999", "2"},
                                                                     {"77", "TQ310", "0"},
                                                                     {"77", "TQ320", "1"},
                                                                     {"78.5", "TQ320", "1"}});
    MeterTable table;
    ModalCatcher catcher;
    ASSERT_EQ(table.load(path, nullptr), 0);
    QString model;
    int deviceType = 5;
    EXPECT_TRUE(table.lookup(77, model, deviceType, nullptr));
    EXPECT_EQ(model, "TQ310");
    EXPECT_EQ(deviceType, 0);

    deviceType = 5;
    for (const quint32 miss : {0u, 78u, 999u}) { // a text or fraction in column A matches nothing
        catcher.clear();
        EXPECT_FALSE(table.lookup(miss, model, deviceType, nullptr));
        EXPECT_EQ(model, MeterTable::unknownModelName());
        EXPECT_EQ(deviceType, 5);
        ASSERT_EQ(catcher.seen().size(), 1);
        EXPECT_EQ(catcher.seen()[0].title, "Error");
        EXPECT_EQ(catcher.seen()[0].text, "Read MeterNo Fail!");
    }
}

TEST(MeterTable, LoadRefusesMissingAndHeaderOnlyTables)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath("meterno.xls");
    const QString headerOnly = writeTable(folder.filePath("header.xlsx"), {{"MeterNo", "Model", "Type"}});
    MeterTable table;
    ModalCatcher catcher;
    EXPECT_EQ(table.load(missing, nullptr), -1);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(table.load(headerOnly, nullptr), -1);
    ASSERT_EQ(catcher.seen().size(), 2);
    EXPECT_EQ(catcher.seen()[0].title, QString::fromUtf8("Error："));
    EXPECT_EQ(catcher.seen()[0].text, QString::fromUtf8("Can't open file！"));
    EXPECT_EQ(catcher.seen()[1].title, QString::fromUtf8("Error："));
    EXPECT_EQ(catcher.seen()[1].text, QString::fromUtf8("Failed to read excel file！"));

    // A failed load leaves an empty table: lookups stay "UnKnow" without a message.
    catcher.clear();
    QString model = "TQ310";
    int deviceType = 1;
    EXPECT_FALSE(table.lookup(310000, model, deviceType, nullptr));
    EXPECT_EQ(model, "UnKnow");
    EXPECT_EQ(deviceType, 1);
    EXPECT_TRUE(catcher.seen().isEmpty());
}

} // namespace
