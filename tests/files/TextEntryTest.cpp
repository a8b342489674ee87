// What a cell becomes from the text a caller hands over, and spreadsheet day numbers.

#include "WorkbookTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEntry, StoresTheTypeASpreadsheetWould)
{
    // {text, canonicalCell form}
    const std::pair<const char *, const char *> cases[] = {
        {"12", "n:12"}, {" 12.50 ", "n:12.5"}, {"-3e2", "n:-300"}, {"+7", "n:7"}, {"3.", "n:3"}, {"001", "n:1"},
        {".5", "n:0.5"}, {"1.5E+3", "n:1500"}, {"+-5", "s:+-5"}, {"１２", "s:１２"}, {"12.5%", "p:0.125"},
        {"12.34%", "p:0.1234"}, {"-0.5 %", "p:-0.005"}, {"100%", "p:1"}, {"2024/05/01  10:30", "d:2024-05-01T10:30:00"},
        {"2024/05/01 10:30", "d:2024-05-01T10:30:00"}, {"2024/5/1 9:05:07", "d:2024-05-01T09:05:07"},
        {"2024/05/01", "d:2024-05-01T00:00:00"},
        // everything else stays text, exactly as given
        {"2024/13/01 10:30", "s:2024/13/01 10:30"}, {"2024/05/01 25:00", "s:2024/05/01 25:00"},
        {"2024-05-01", "s:2024-05-01"}, {"1,234", "s:1,234"}, {"inf", "s:inf"}, {"nan", "s:nan"}, {"1e999", "s:1e999"},
        {"0x10", "s:0x10"}, {"12%%", "s:12%%"}, {"%", "s:%"}, {"TQ310", "s:TQ310"}, {" PASS ", "s: PASS "},
        {"合格", "s:合格"}, {"△E*ab", "s:△E*ab"}, {"-----", "s:-----"}, {"", ""},
        // a long serial number would lose digits as a double
        {"1234567890123456", "s:1234567890123456"}, {"123456789012345", "n:123456789012345"}};
    for (const auto &[text, stored] : cases)
        EXPECT_EQ(canonicalCell(cellFromText(QString::fromUtf8(text))), QString::fromUtf8(stored)) << '"' << text << '"';
}

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
    // 1 March 1900 is day 61, past the leap day 1900 never had; later days are read back by the
    // independent readers in the round trips.
    EXPECT_EQ(serialFromDateTime(QDateTime(QDate(1900, 3, 1), QTime(0, 0), Qt::UTC)), 61.0);
    // A time a hair before midnight rounds to the millisecond, not into a 24:00 time.
    EXPECT_EQ(dateTimeFromSerial(36526.99999999999), QDateTime(QDate(2000, 1, 2), QTime(0, 0), Qt::UTC));
    EXPECT_FALSE(dateTimeFromSerial(1e300).isValid());
    EXPECT_FALSE(dateTimeFromSerial(std::numeric_limits<double>::infinity()).isValid());
}

} // namespace
