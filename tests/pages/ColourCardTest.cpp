// Standard colour card upload against the simulated TQ320: the instrument's memory is
// compared byte for byte with an image built here from the memory layout.
#include "MeasurementRig.h"

#include "ColourCardLibrary.h"
#include "Crc16.h"
#include "FileChooser.h"
#include "WorkbookFile.h"

#include <QProgressDialog>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Seen = ModalCatcher::Seen;

const Seen Success{"Information", "Write to standard color card library successfully!"};
const Seen ReadFailed{"Error", "Failed to read excel file!"};
const Seen NotEnoughRows{"Error", "Error in Excel file with not enough rows of standard color cards!"};

struct ColourRow
{
    QString name;
    std::array<QVariant, 3> cells;
    std::array<int, 3> wire; // what the instrument must receive
};

struct Card
{
    QString name1;
    QString name2;
    int value2;
    QList<ColourRow> rows;
};

// Ten colour rows in three cards: 260 bytes of stream, one full packet and four bytes.
QList<Card> tenRowCards()
{
    return {
        {"Lumivex", "Whites", 1,
         {{"Paper white", {95.12, -0.85, 2.31}, {9512, -85, 231}},
          {"Snow", {1.999, -0.5, QStringLiteral("3.")}, {199, -50, 300}},
          {"Ivory", {QStringLiteral("92.66"), 0.47, 9.8}, {9266, 47, 980}},
          {"Chalk", {90.05, -0.3, 3.5}, {9005, -30, 350}}}},
        {"Lumivex", "Greys", 2,
         {{"Grey 20", {79.93, 0.0, -0.42}, {7993, 0, -42}},
          {QStringLiteral("灰 50"), {53.39, -0.17, 0.61}, {5339, -17, 61}},
          {"Grey 80", {21.25, 0.33, -1.2}, {2125, 33, -120}}}},
        {"Lumivex", "Colours", 3,
         {{"Signal red", {41.22, 58.3, 38.91}, {4122, 5830, 3891}},
          {"Sky blue", {61.7, -9.45, -32.06}, {6170, -945, -3206}},
          {"Leaf green", {52.18, -41.9, 35.27}, {5218, -4190, 3527}}}},
    };
}

QByteArray le16(int value)
{
    QByteArray bytes;
    bytes.append(char(value & 0xFF));
    bytes.append(char((value >> 8) & 0xFF));
    return bytes;
}

QByteArray padded(const QString &name, int size)
{
    QByteArray bytes = name.toUtf8();
    return bytes + QByteArray(size - bytes.size(), '\0');
}

QByteArray cardRecord(const Card &card)
{
    return padded(card.name1, 16) + padded(card.name2, 16) + le16(int(card.rows.size())) + le16(card.value2);
}

QByteArray expectedStream(const QList<Card> &cards)
{
    QByteArray names;
    QByteArray values;
    for (const Card &card : cards) {
        for (const ColourRow &row : card.rows) {
            names += padded(row.name, 20);
            for (int v : row.wire)
                values += le16(v);
        }
    }
    return names + values;
}

void put(Sheet &sheet, int row, int column, const QVariant &value)
{
    sheet.cells[{row - 1, column - 1}].value = value;
}

Sheet librarySheet(const QString &model, const QList<Card> &cards)
{
    Sheet sheet;
    sheet.name = QStringLiteral("Sheet1");
    put(sheet, 1, 1, model);
    put(sheet, 2, 1, double(cards.size()));
    put(sheet, 2, 2, double(crc16Modbus(le16(int(cards.size())))));
    int colourRow = ColourCardLibrary::FirstColourRow;
    for (int i = 0; i < cards.size(); ++i) {
        const Card &card = cards[i];
        const int row = 3 + i;
        put(sheet, row, 1, card.name1);
        put(sheet, row, 2, card.name2);
        put(sheet, row, 3, double(card.rows.size()));
        put(sheet, row, 4, double(card.value2));
        put(sheet, row, 5, double(crc16Modbus(cardRecord(card))));
        for (const ColourRow &colour : card.rows) {
            put(sheet, colourRow, 1, colour.name);
            for (int c = 0; c < 3; ++c)
                put(sheet, colourRow, 2 + c, colour.cells[c]);
            ++colourRow;
        }
    }
    return sheet;
}

// A bulk write request: address and data length.
struct Packet
{
    quint32 address;
    int length;
    bool operator==(const Packet &) const = default;
};

void PrintTo(const Packet &p, std::ostream *os)
{
    *os << std::hex << "0x" << p.address << std::dec << "/" << p.length;
}

class ColourCardUpload : public ::testing::Test
{
protected:
    ColourCardUpload() : rig(*SimProfile::byName(QStringLiteral("tq320")))
    {
        rig.page->state().modelName = QStringLiteral("TQ320");
        rig.sim.clearRequestLog();
    }
    ~ColourCardUpload() override { FileChooser::setAnswer({}); }

    QString save(const Sheet &sheet, const QString &fileName = QStringLiteral("StdColor.xlsx")) const
    {
        const QString path = dir.filePath(fileName);
        Workbook workbook;
        workbook.sheets.push_back(sheet);
        QString error;
        EXPECT_TRUE(writeWorkbookFile(path, workbook, WorkbookFormat::Xlsx, error)) << error.toStdString();
        return path;
    }

    // Presses the button with path as the dialog's answer; returns the messages shown.
    QList<Seen> upload(const QString &path)
    {
        FileChooser::setAnswer([this, path](const FileChooser::Request &request) {
            asked = request;
            return path;
        });
        ModalCatcher catcher;
        rig.click("pushButton_writeStandardColor");
        return catcher.seen();
    }

    QList<Packet> packets() const
    {
        QList<Packet> sent;
        for (const QByteArray &frame : rig.sim.requestLog())
            if (quint8(frame[1]) == 0x74)
                sent.append({qFromLittleEndian<quint32>(frame.constData() + 2),
                             qFromLittleEndian<quint16>(frame.constData() + 6)});
        return sent;
    }
    // Writes of any kind reached the instrument.
    bool anythingWritten() const { return !rig.writes().isEmpty() || !packets().isEmpty(); }

    QTemporaryDir dir;
    MeasurementRig rig;
    FileChooser::Request asked;
};

TEST_F(ColourCardUpload, WritesCountCardsAndStreamAsTheLayoutSays)
{
    const QList<Card> cards = tenRowCards();
    Sheet sheet = librarySheet(QStringLiteral("  TQ320 "), cards);

    // The progress dialog is looked at while the upload repaints it.
    struct
    {
        int minimum = -1, maximum = -1;
        QString label;
        Qt::WindowModality modality = Qt::NonModal;
    } progress;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto *dialog = rig.page->findChild<QProgressDialog *>()) {
            progress = {dialog->minimum(), dialog->maximum(), dialog->labelText(), dialog->windowModality()};
        }
    });
    watch.start();

    EXPECT_EQ(upload(save(sheet)), QList<Seen>{Success});
    EXPECT_EQ(asked.caption, QStringLiteral("Select one Excel files to open"));
    EXPECT_EQ(asked.proposed, QStringLiteral("./"));
    EXPECT_EQ(asked.filters, QStringLiteral("excel file (*.xlsx)"));

    ASSERT_EQ(rig.sim.colourCardCount(), 3);
    for (int i = 0; i < cards.size(); ++i)
        EXPECT_EQ(rig.sim.colourCardRecord(i).toHex(' '), cardRecord(cards[i]).toHex(' ')) << i;
    const QByteArray stream = expectedStream(cards);
    ASSERT_EQ(stream.size(), 260);
    EXPECT_EQ(rig.sim.colourStream().toHex(' '), stream.toHex(' '));
    EXPECT_EQ(rig.sim.bulkClosedAt(), std::optional<quint32>(0x40104));
    EXPECT_EQ(packets(), (QList<Packet>{{0x40000, 256}, {0x40100, 4}, {0x40104, 0}}));

    // Count first, then each card at its 48-byte stride.
    const QList<QByteArray> writes = rig.writes();
    ASSERT_EQ(writes.size(), 4);
    const quint32 addresses[] = {0x2F00, 0x2000, 0x2030, 0x2060};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(qFromLittleEndian<quint32>(writes[i].constData() + 2), addresses[i]) << i;

    EXPECT_EQ(progress.minimum, 0);
    EXPECT_EQ(progress.maximum, 2);
    EXPECT_EQ(progress.label, QStringLiteral("Storing data,please wait..."));
    EXPECT_EQ(progress.modality, Qt::WindowModal);
    EXPECT_EQ(rig.page->findChild<QProgressDialog *>(), nullptr);
    EXPECT_TRUE(rig.lockIsFree());
}

TEST_F(ColourCardUpload, ShippedExampleLibraryIsAcceptedByTheTq320)
{
    const QString example = QStringLiteral(LUMIVEX_SOURCE_DIR "/data/StdColor.xlsx");
    EXPECT_EQ(upload(example), QList<Seen>{Success});
    EXPECT_EQ(rig.sim.colourCardCount(), 3);
    EXPECT_EQ(rig.sim.colourStream().left(11), QByteArray("Paper white"));
    EXPECT_EQ(rig.sim.bulkClosedAt(), std::optional<quint32>(0x40000 + 10 * 26));
}

struct Rejection
{
    const char *what;
    std::function<void(Sheet &)> spoil;
    Seen message;
};

class ColourCardRejection : public ColourCardUpload, public ::testing::WithParamInterface<Rejection>
{
};

TEST_P(ColourCardRejection, ShowsItsMessageAndWritesNothing)
{
    Sheet sheet = librarySheet(QStringLiteral("TQ320"), tenRowCards());
    GetParam().spoil(sheet);
    EXPECT_EQ(upload(save(sheet)), QList<Seen>{GetParam().message});
    EXPECT_FALSE(anythingWritten());
    EXPECT_EQ(rig.sim.colourCardCount(), 0);
    EXPECT_TRUE(rig.lockIsFree());
}

void eraseRow(Sheet &sheet, int row)
{
    for (int column = 1; column <= 5; ++column)
        sheet.cells.erase({row - 1, column - 1});
}

INSTANTIATE_TEST_SUITE_P(
    Workbooks, ColourCardRejection,
    ::testing::Values(
        Rejection{"OtherModel", [](Sheet &s) { put(s, 1, 1, QStringLiteral("TQ310")); },
                  {"Error", "The written contents do not match and cannot be written!"}},
        Rejection{"WrongCountCrc", [](Sheet &s) { put(s, 2, 2, 1234.0); },
                  {"Error", "Failed to write the total number of standard color cards!"}},
        Rejection{"MoreThan47Cards", [](Sheet &s) { put(s, 2, 1, 48.0); }, NotEnoughRows},
        Rejection{"CardTablePastTheRows",
                  [](Sheet &s) {
                      for (int row = 4; row <= 60; ++row)
                          eraseRow(s, row);
                  },
                  NotEnoughRows},
        Rejection{"TooFewColourRows", [](Sheet &s) { eraseRow(s, 59); }, NotEnoughRows},
        Rejection{"RowsNarrowerThanRead",
                  [](Sheet &s) {
                      for (int row = 3; row <= 5; ++row)
                          s.cells.erase({row - 1, 4});
                  },
                  ReadFailed},
        Rejection{"OnlyTheModelRow",
                  [](Sheet &s) {
                      for (int row = 2; row <= 60; ++row)
                          eraseRow(s, row);
                  },
                  ReadFailed},
        Rejection{"TextCount", [](Sheet &s) { put(s, 2, 1, QStringLiteral("three")); }, ReadFailed},
        Rejection{"FractionalRowCount", [](Sheet &s) { put(s, 3, 3, 4.5); }, ReadFailed},
        Rejection{"TextValue", [](Sheet &s) { put(s, 55, 3, QStringLiteral("n/a")); }, ReadFailed},
        Rejection{"EmptyValue", [](Sheet &s) { s.cells.erase({54, 3}); }, ReadFailed},
        Rejection{"ValueBeyond16Bits", [](Sheet &s) { put(s, 50, 2, 327.68); }, ReadFailed},
        Rejection{"CardNameOver16Bytes", [](Sheet &s) { put(s, 4, 2, QStringLiteral("Greys and silvers")); },
                  {"Error", "The name in row 4 of the Excel file is too long to be written!"}},
        // Seven characters of three UTF-8 bytes each.
        Rejection{"ColourNameOver20Bytes", [](Sheet &s) { put(s, 52, 1, QStringLiteral("象牙白色标准样")); },
                  {"Error", "The name in row 52 of the Excel file is too long to be written!"}}),
    [](const ::testing::TestParamInfo<Rejection> &info) { return std::string(info.param.what); });

TEST_F(ColourCardUpload, RefusesAFileNotNamedExactlyStdColor)
{
    const QString path = save(librarySheet(QStringLiteral("TQ320"), tenRowCards()), QStringLiteral("stdcolor.xlsx"));
    EXPECT_EQ(upload(path), (QList<Seen>{{"Error", "File error, unable to write!"}}));
    EXPECT_FALSE(anythingWritten());
}

TEST_F(ColourCardUpload, MissingFileIsNotCreated)
{
    const QString path = dir.filePath(QStringLiteral("StdColor.xlsx"));
    EXPECT_EQ(upload(path), (QList<Seen>{{"Error", "Can't open file!"}}));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(anythingWritten());
}

TEST_F(ColourCardUpload, CancelledDialogDoesNothing)
{
    EXPECT_TRUE(upload(QString()).isEmpty());
    EXPECT_FALSE(anythingWritten());
    EXPECT_TRUE(rig.lockIsFree());
}

TEST_F(ColourCardUpload, RefusedEmptyPacketIsAFailure)
{
    rig.sim.setEmptyPacketAccepted(false);
    EXPECT_EQ(upload(save(librarySheet(QStringLiteral("TQ320"), tenRowCards()))),
              (QList<Seen>{{"Error", "Failed to write!"}}));
    EXPECT_EQ(rig.sim.bulkClosedAt(), std::nullopt);
    EXPECT_TRUE(rig.lockIsFree());
}

// Unplugged after n requests: the message of the step that failed; what went out stays written.
struct Unplug
{
    int requestsServed;
    const char *message;
    int cardsWritten;
};

class ColourCardUnplug : public ColourCardUpload, public ::testing::WithParamInterface<Unplug>
{
};

TEST_P(ColourCardUnplug, StopsWithTheFailedStepAndReleasesTheLock)
{
    const QString path = save(librarySheet(QStringLiteral("TQ320"), tenRowCards()));
    rig.sim.unplugAfterRequests(GetParam().requestsServed);
    EXPECT_EQ(upload(path), (QList<Seen>{{"Error", GetParam().message}}));
    EXPECT_EQ(rig.sim.colourCardCount(), GetParam().requestsServed > 0 ? 3 : 0);
    EXPECT_EQ(rig.sim.bulkClosedAt(), std::nullopt);
    EXPECT_TRUE(rig.lockIsFree());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ColourCardUnplug,
    ::testing::Values(Unplug{0, "Failed to write the total number of standard color cards!", 0},
                      Unplug{2, "Failed to write standard color card information!", 1},
                      Unplug{4, "Failed to write standard color card data!", 3},
                      Unplug{6, "Failed to write empty packet!", 3}));

TEST_F(ColourCardUpload, NeedsAConnectedInstrument)
{
    rig.link()->close();
    EXPECT_EQ(upload(QStringLiteral("unused")), (QList<Seen>{{"Error", "Please connect the device first!"}}));
    EXPECT_TRUE(asked.caption.isEmpty());
}

TEST_F(ColourCardUpload, SpeaksChineseAtStart)
{
    QTranslator chinese;
    ASSERT_TRUE(chinese.load(QStringLiteral(LUMIVEX_BINARY_DIR "/Lumivex_zh.qm")));
    QCoreApplication::installTranslator(&chinese);
    const auto restore = qScopeGuard([&] { QCoreApplication::removeTranslator(&chinese); });
    Sheet sheet = librarySheet(QStringLiteral("TQ320"), tenRowCards());
    put(sheet, 4, 1, QStringLiteral("标准色卡：灰色系列"));
    EXPECT_EQ(upload(save(sheet)), (QList<Seen>{{"错误", "Excel文件第4行的名称过长，无法写入！"}}));
    EXPECT_EQ(upload(QStringLiteral(LUMIVEX_SOURCE_DIR "/data/StdColor.xlsx")),
              (QList<Seen>{{"提示", "写入标准色卡库成功！"}}));
}

// ---- value texts

struct ValueText
{
    const char *text;
    std::optional<qint16> wire;
};

class ColourValueText : public ::testing::TestWithParam<ValueText>
{
};

TEST_P(ColourValueText, BecomesHundredthsCutTowardZero)
{
    EXPECT_EQ(ColourCardLibrary::hundredths(QString::fromUtf8(GetParam().text)), GetParam().wire);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ColourValueText,
    ::testing::Values(ValueText{"1.999", 199}, ValueText{"-0.5", -50}, ValueText{"3.", 300}, ValueText{"12.3", 1230},
                      ValueText{"-1.5", -150}, ValueText{"7", 700}, ValueText{"-1.999", -199}, ValueText{".5", 50},
                      ValueText{" 0.07 ", 7}, ValueText{"327.67", 32767}, ValueText{"-327.68", -32768},
                      ValueText{"327.68", std::nullopt}, ValueText{"", std::nullopt}, ValueText{".", std::nullopt},
                      ValueText{"-", std::nullopt}, ValueText{"1.2.3", std::nullopt},
                      ValueText{"1e3", std::nullopt}, ValueText{"abc", std::nullopt}));

TEST(ColourCellText, NumbersKeepTheirDigitsWithoutExponent)
{
    EXPECT_EQ(ColourCardLibrary::cellText(0.00001), QStringLiteral("0.00001"));
    EXPECT_EQ(ColourCardLibrary::cellText(-0.85), QStringLiteral("-0.85"));
    EXPECT_EQ(ColourCardLibrary::cellText(101.0), QStringLiteral("101"));
}

} // namespace
