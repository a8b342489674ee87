// Colour card upload: the simulated TQ320's memory, byte for byte, against the layout built here.
#include "SessionRig.h"

#include "ColourCardLibrary.h"
#include "FrameBytes.h"
#include "WorkbookTestSupport.h"

#include <QTemporaryDir>

namespace {

const char *const Success = "Information / Write to standard color card library successfully!";
const char *const ReadFailed = "Error / Failed to read excel file!";
const char *const NotEnoughRows = "Error / Error in Excel file with not enough rows of standard color cards!";

struct ColourRow
{
    QString name;
    std::array<QVariant, 3> cells;
    std::array<int, 3> wire; // what the instrument must receive
};

struct Card
{
    QString name1, name2;
    int value2;
    QList<ColourRow> rows;
};

// Ten colour rows in three cards: 260 bytes of stream, one full packet and four bytes.
const QList<Card> Cards{
    {"Lumivex", "Whites", 1,
     {{"Paper white", {95.12, -0.85, 2.31}, {9512, -85, 231}}, {"Snow", {1.999, -0.5, "3."}, {199, -50, 300}},
      {"Ivory", {"92.66", 0.47, 9.8}, {9266, 47, 980}}, {"Chalk", {90.05, -0.3, 3.5}, {9005, -30, 350}}}},
    {"Lumivex", "Greys", 2,
     {{"Grey 20", {79.93, 0.0, -0.42}, {7993, 0, -42}}, {"灰 50", {53.39, -0.17, 0.61}, {5339, -17, 61}},
      {"Grey 80", {21.25, 0.33, -1.2}, {2125, 33, -120}}}},
    {"Lumivex", "Colours", 3,
     {{"Signal red", {41.22, 58.3, 38.91}, {4122, 5830, 3891}}, {"Sky blue", {61.7, -9.45, -32.06}, {6170, -945, -3206}},
      {"Leaf green", {52.18, -41.9, 35.27}, {5218, -4190, 3527}}}},
};

QByteArray padded(const QString &name, int size)
{
    const QByteArray bytes = name.toUtf8();
    return bytes + QByteArray(size - bytes.size(), '\0');
}

QByteArray cardRecord(const Card &card)
{
    return padded(card.name1, 16) + padded(card.name2, 16) + le16(quint16(card.rows.size())) + le16(quint16(card.value2));
}

QByteArray expectedStream()
{
    QByteArray names, values;
    for (const Card &card : Cards)
        for (const ColourRow &row : card.rows) {
            names += padded(row.name, 20);
            for (int v : row.wire)
                values += le16(quint16(v));
        }
    return names + values;
}

void put(Sheet &sheet, int row, int column, const QVariant &value)
{
    sheet.cells[{row - 1, column - 1}].value = value;
}

void eraseRows(Sheet &sheet, int first, int last)
{
    for (int row = first; row <= last; ++row)
        for (int column = 1; column <= 5; ++column)
            sheet.cells.erase({row - 1, column - 1});
}

Sheet librarySheet(const QString &model = QStringLiteral("TQ320"))
{
    Sheet sheet;
    put(sheet, 1, 1, model);
    put(sheet, 2, 1, double(Cards.size()));
    put(sheet, 2, 2, double(crc16Modbus(le16(quint16(Cards.size())))));
    int colourRow = ColourCardLibrary::FirstColourRow;
    for (int i = 0; i < Cards.size(); ++i) {
        const Card &card = Cards[i];
        const QVariant cells[] = {card.name1, card.name2, double(card.rows.size()), double(card.value2),
                                  double(crc16Modbus(cardRecord(card)))};
        for (int c = 0; c < 5; ++c)
            put(sheet, 3 + i, 1 + c, cells[c]);
        for (const ColourRow &colour : card.rows) {
            put(sheet, colourRow, 1, colour.name);
            for (int c = 0; c < 3; ++c)
                put(sheet, colourRow, 2 + c, colour.cells[c]);
            ++colourRow;
        }
    }
    return sheet;
}

struct Upload : SessionRig
{
    Upload() : SessionRig(profileNamed("tq320")) { connect(); }

    QString save(Sheet sheet, const QString &fileName = QStringLiteral("StdColor.xlsx")) const
    {
        sheet.name = QStringLiteral("Sheet1");
        return writeSample(dir.filePath(fileName), WorkbookFormat::Xlsx, workbookOf(sheet));
    }
    std::string upload(const QString &path, const Progress &progress = {})
    {
        return shown(session.uploadColourCards(path, progress));
    }

    QTemporaryDir dir;
};

TEST(ColourCards, CountCardsAndStreamLandAsTheLayoutSays)
{
    Upload rig;
    QList<std::pair<int, int>> progress;
    const Progress remember = [&](int done, int total) { progress.append({done, total}); return true; };
    EXPECT_EQ(rig.upload(rig.save(librarySheet(QStringLiteral("  TQ320 "))), remember), Success);
    ASSERT_EQ(rig.sim.colourCardCount(), 3);
    for (int i = 0; i < Cards.size(); ++i)
        EXPECT_EQ(rig.sim.colourCardRecord(i).toHex(' '), cardRecord(Cards[i]).toHex(' ')) << i;
    ASSERT_EQ(expectedStream().size(), 260);
    EXPECT_EQ(rig.sim.colourStream().toHex(' '), expectedStream().toHex(' '));
    EXPECT_EQ(rig.sim.bulkClosedAt(), std::optional<quint32>(0x40104));
    EXPECT_EQ(simRequests(rig.sim, 0x74), (QList<SimRequest>{{0x40000, 256}, {0x40100, 4}, {0x40104, 0}}));
    // Count first, then each card at its 48-byte stride.
    EXPECT_EQ(simRequests(rig.sim, 0x70), (QList<SimRequest>{{0x2F00, 4}, {0x2000, 0x26}, {0x2030, 0x26}, {0x2060, 0x26}}));
    EXPECT_EQ(progress, (QList<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));
    EXPECT_TRUE(rig.lockIsFree());

    // No cards: the library is emptied; a used range of 49 + 0 rows is enough.
    Sheet empty;
    put(empty, 1, 1, QStringLiteral("TQ320"));
    put(empty, 2, 1, 0.0);
    put(empty, 2, 2, double(crc16Modbus(le16(0))));
    put(empty, 49, 1, QStringLiteral("end"));
    EXPECT_EQ(rig.upload(rig.save(empty)), Success);
    EXPECT_EQ(rig.sim.colourCardCount(), 0);
    EXPECT_EQ(rig.sim.bulkClosedAt(), std::optional<quint32>(0x40000));
}

TEST(ColourCards, FaultyWorkbooksAreRefusedBeforeAnythingIsWritten)
{
    const struct { const char *what; std::function<void(Sheet &)> spoil; const char *said; } cases[] = {
        {"other model", [](Sheet &s) { put(s, 1, 1, QStringLiteral("TQ310")); },
         "Error / The written contents do not match and cannot be written!"},
        {"wrong count CRC", [](Sheet &s) { put(s, 2, 2, 1234.0); },
         "Error / Failed to write the total number of standard color cards! The checksum in row 2 is wrong."},
        {"wrong CRC of card 2", [](Sheet &s) { put(s, 4, 5, 1234.0); },
         "Error / Failed to write standard color card information! The checksum in row 4 is wrong."},
        {"48 cards", [](Sheet &s) { put(s, 2, 1, 48.0); }, NotEnoughRows},
        {"card table past the rows", [](Sheet &s) { eraseRows(s, 4, 60); }, NotEnoughRows},
        {"too few colour rows", [](Sheet &s) { eraseRows(s, 59, 59); }, NotEnoughRows},
        {"card row too narrow", [](Sheet &s) { s.cells.erase({2, 4}); }, ReadFailed},
        {"only the model row", [](Sheet &s) { eraseRows(s, 2, 60); }, ReadFailed},
        {"text count", [](Sheet &s) { put(s, 2, 1, QStringLiteral("three")); }, ReadFailed},
        {"fractional row count", [](Sheet &s) { put(s, 3, 3, 4.5); }, ReadFailed},
        {"text value", [](Sheet &s) { put(s, 55, 3, QStringLiteral("n/a")); }, ReadFailed},
        {"empty value", [](Sheet &s) { s.cells.erase({54, 3}); }, ReadFailed},
        {"value beyond 16 bits", [](Sheet &s) { put(s, 50, 2, 327.68); }, ReadFailed},
        {"card name over 16 bytes", [](Sheet &s) { put(s, 4, 2, QStringLiteral("Greys and silvers")); },
         "Error / The name in row 4 of the Excel file is too long to be written!"},
        // Seven characters of three UTF-8 bytes each.
        {"colour name over 20 bytes", [](Sheet &s) { put(s, 52, 1, QStringLiteral("象牙白色标准样")); },
         "Error / The name in row 52 of the Excel file is too long to be written!"},
    };
    Upload rig;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Sheet sheet = librarySheet();
        c.spoil(sheet);
        EXPECT_EQ(rig.upload(rig.save(sheet)), c.said);
    }
    EXPECT_EQ(rig.upload(rig.save(librarySheet(), QStringLiteral("stdcolor.xlsx"))), "Error / File error, unable to write!");
    const QString missing = rig.dir.filePath(QStringLiteral("sub/StdColor.xlsx"));
    EXPECT_EQ(rig.upload(missing), "Error / Can't open file!");
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_TRUE(rig.sim.requestLog().isEmpty());
    EXPECT_TRUE(rig.lockIsFree());
}

// Unplugged, closing packet refused, or replugged mid-series (the old series then sends nothing): the failed step.
TEST(ColourCards, WriteFailuresNameTheirStep)
{
    const struct
    {
        int requestsServed; // -1: the empty packet is refused; -2: replugged after packet `replugAfter`
        const char *said;
        int cards;
        int replugAfter = -1;
    } cases[] = {{0, "Error / Failed to write the total number of standard color cards!", 0},
                 {2, "Error / Failed to write standard color card information!", 3},
                 {4, "Error / Failed to write standard color card data!", 3},
                 {6, "Error / Failed to write empty packet!", 3},
                 {-1, "Error / Failed to write!", 3},
                 {-2, "Error / Failed to write standard color card data!", 3, 0},
                 {-2, "Error / Failed to write empty packet!", 3, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.requestsServed << " " << c.replugAfter);
        Upload rig;
        const QString path = rig.save(librarySheet());
        if (c.replugAfter >= 0)
            rig.sim.injectFault(SimFault::LateReply, SimFaultScope::EveryFrame, 40);
        else if (c.requestsServed < 0)
            rig.sim.setEmptyPacketAccepted(false);
        else
            rig.sim.unplugAfterRequests(c.requestsServed);
        bool replugged = false;
        const Progress replugMidway = [&](int done, int) {
            if (!replugged && done == c.replugAfter) {
                rig.replug();
                rig.sim.clearRequestLog();
                replugged = true;
            }
            return true;
        };
        EXPECT_EQ(rig.upload(path, replugMidway), c.said);
        EXPECT_EQ(rig.sim.colourCardCount(), c.cards);
        EXPECT_EQ(rig.sim.bulkClosedAt(), std::nullopt);
        EXPECT_TRUE(rig.lockIsFree());
        if (c.replugAfter < 0)
            continue;
        ASSERT_TRUE(replugged);
        EXPECT_TRUE(rig.sim.requestLog().isEmpty()) << "a frame of the old series reached the new connection";
        rig.sim.clearFaults();
        rig.sim.pressMeasureKey();
        EXPECT_TRUE(waitFor([&] { return rig.session.state().standardMeasured; }));
        EXPECT_EQ(shown(rig.session.readTolerance()), "Information / Read successful!");
    }
}

// Cut toward zero; what no 16-bit word holds is refused (the upload then fails to read the file).
TEST(ColourCards, ValueTextsBecomeHundredths)
{
    const std::pair<const char *, std::optional<qint16>> cases[] = {
        {"-1.999", -199}, {".5", 50}, {" 0.07 ", 7}, {"327.67", 32767}, {"-327.68", -32768},
        {"327.68", {}},   {"", {}},   {".", {}},     {"-", {}},         {"1.2.3", {}}, {"1e3", {}}};
    for (const auto &[text, wire] : cases)
        EXPECT_EQ(ColourCardLibrary::hundredths(QString::fromUtf8(text)), wire) << text;
    EXPECT_EQ(ColourCardLibrary::cellText(0.00001), QStringLiteral("0.00001"));
}

} // namespace
