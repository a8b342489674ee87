// What a cell becomes from the text a caller hands over, and spreadsheet day numbers.

#include "WorkbookTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct EntryCase
{
    const char *text;
    const char *stored; // canonicalCell form
};

void PrintTo(const EntryCase &c, std::ostream *out)
{
    *out << '"' << c.text << '"';
}

class TextEntry : public testing::TestWithParam<EntryCase>
{
};

TEST_P(TextEntry, StoresTheTypeASpreadsheetWould)
{
    EXPECT_EQ(canonicalCell(cellFromText(QString::fromUtf8(GetParam().text))), QString::fromUtf8(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TextEntry,
    testing::Values(EntryCase{"12", "n:12"}, EntryCase{" 12.50 ", "n:12.5"}, EntryCase{"-3e2", "n:-300"},
                    EntryCase{"+7", "n:7"}, EntryCase{"3.", "n:3"}, EntryCase{"001", "n:1"},
                    EntryCase{".5", "n:0.5"}, EntryCase{"1.5E+3", "n:1500"}, EntryCase{"+-5", "s:+-5"},
                    EntryCase{"１２", "s:１２"},
                    EntryCase{"12.5%", "p:0.125"}, EntryCase{"12.34%", "p:0.1234"}, EntryCase{"-0.5 %", "p:-0.005"},
                    EntryCase{"100%", "p:1"}, EntryCase{"2024/05/01  10:30", "d:2024-05-01T10:30:00"},
                    EntryCase{"2024/05/01 10:30", "d:2024-05-01T10:30:00"},
                    EntryCase{"2024/5/1 9:05:07", "d:2024-05-01T09:05:07"},
                    EntryCase{"2024/05/01", "d:2024-05-01T00:00:00"},
                    // everything else stays text, exactly as given
                    EntryCase{"2024/13/01 10:30", "s:2024/13/01 10:30"}, EntryCase{"2024/05/01 25:00", "s:2024/05/01 25:00"},
                    EntryCase{"2024-05-01", "s:2024-05-01"}, EntryCase{"1,234", "s:1,234"}, EntryCase{"inf", "s:inf"},
                    EntryCase{"nan", "s:nan"}, EntryCase{"1e999", "s:1e999"}, EntryCase{"0x10", "s:0x10"},
                    EntryCase{"12%%", "s:12%%"}, EntryCase{"%", "s:%"}, EntryCase{"TQ310", "s:TQ310"},
                    EntryCase{" PASS ", "s: PASS "}, EntryCase{"合格", "s:合格"}, EntryCase{"△E*ab", "s:△E*ab"},
                    EntryCase{"-----", "s:-----"}, EntryCase{"", ""},
                    // a long serial number would lose digits as a double
                    EntryCase{"1234567890123456", "s:1234567890123456"}, EntryCase{"123456789012345", "n:123456789012345"}));

TEST(CellFromValue, KeepsNumbersAndDateTimesRefusesWhatNoCellHolds)
{
    Cell cell;
    ASSERT_TRUE(cellFromValue(42, cell));
    EXPECT_EQ(canonicalCell(cell), "n:42");
    ASSERT_TRUE(cellFromValue(QDateTime(QDate(2024, 2, 29), QTime(23, 59)), cell));
    EXPECT_EQ(canonicalCell(cell), "d:2024-02-29T23:59:00");
    ASSERT_TRUE(cellFromValue(QVariant(), cell));
    EXPECT_TRUE(cell.isEmpty());
    EXPECT_FALSE(cellFromValue(std::numeric_limits<double>::quiet_NaN(), cell));
    EXPECT_FALSE(cellFromValue(QString(kMaxTextLength + 1, u'x'), cell));
    EXPECT_TRUE(cellFromValue(QString(kMaxTextLength, u'x'), cell));
}

TEST(SerialDate, MatchesSpreadsheetDayNumbers)
{
    // Published day numbers: 1 March 1900 is 61, 1 January 2000 is 36526, noon adds 0.5.
    EXPECT_EQ(serialFromDateTime(QDateTime(QDate(1900, 3, 1), QTime(0, 0), Qt::UTC)), 61.0);
    EXPECT_EQ(serialFromDateTime(QDateTime(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC)), 36526.5);
    EXPECT_EQ(dateTimeFromSerial(45413.4375), QDateTime(QDate(2024, 5, 1), QTime(10, 30), Qt::UTC));
    EXPECT_EQ(dateTimeFromSerial(0, true), QDateTime(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC));
    // A time a hair before midnight rounds to the millisecond, not into a 24:00 time.
    EXPECT_EQ(dateTimeFromSerial(36526.99999999999), QDateTime(QDate(2000, 1, 2), QTime(0, 0), Qt::UTC));
    EXPECT_FALSE(dateTimeFromSerial(1e300).isValid());
    EXPECT_FALSE(dateTimeFromSerial(std::numeric_limits<double>::infinity()).isValid());
}

} // namespace
