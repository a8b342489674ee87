// SPDX-License-Identifier: Apache-2.0
// Crafted .xls files that would make libfreexl read past its buffers or allocate gigabytes are
// refused before it sees them, with the read-failure message, within the memory budget.

#include "ReadBudget.h"
#include "WorkbookFile.h"
#include "WorkbookTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray utf16(const char *text)
{
    const QString string = QString::fromLatin1(text);
    return QByteArray(reinterpret_cast<const char *>(string.utf16()), string.size() * 2);
}

// Eight sheets "S1".."S8", each a text and a number; sheet 1's text is the first shared string.
QByteArray eightSheets(const QString &path)
{
    Workbook workbook;
    for (int s = 1; s <= 8; ++s) {
        Sheet &sheet = workbook.sheets.emplace_back(Sheet{QStringLiteral("S%1").arg(s), {}});
        sheet.cells.emplace(CellPos{2, 0}, Cell{QStringLiteral("hazeText%1").arg(s), NumberFormat::General, false});
        sheet.cells.emplace(CellPos{2, 1}, Cell{12.5, NumberFormat::General, false});
    }
    QString error;
    EXPECT_TRUE(writeWorkbookFile(path, workbook, WorkbookFormat::Xls, error)) << error.toStdString();
    return contents(path);
}

void putU16(QByteArray &bytes, qsizetype at, quint16 value) { qToLittleEndian(value, bytes.data() + at); }
void putU32(QByteArray &bytes, qsizetype at, quint32 value) { qToLittleEndian(value, bytes.data() + at); }

// Calls patch with the body offset of every DIMENSIONS record.
QByteArray withDimensions(QByteArray bytes, const std::function<void(QByteArray &, qsizetype)> &patch)
{
    const QByteArray header("\x00\x02\x0E\x00", 4);
    for (qsizetype at = bytes.indexOf(header); at >= 0; at = bytes.indexOf(header, at + 1))
        patch(bytes, at + 4);
    return bytes;
}

QByteArray fixture(const char *name)
{
    return contents(QStringLiteral(LUMIVEX_SOURCE_DIR "/tests/files/data/") + QLatin1String(name));
}

struct HostileCase
{
    const char *name;
    std::function<QByteArray(const QByteArray &good)> bytes;
    const char *reason;
};

const char *const kDamaged = "the workbook is damaged (%1)";

const HostileCase hostileCases[] = {
    // Directory names 4608 and 65535 bytes long (the first also in a broken directory chain):
    // libfreexl converted that many bytes.
    {"directoryName4608", [](const QByteArray &) { return fixture("read-4608.xls"); }, "directory chain"},
    {"directoryName65535", [](const QByteArray &) { return fixture("read-65535.xls"); }, "directory entry"},
    {"sheetNameBeyondItsRecord",
     [](QByteArray bytes) {
         bytes[bytes.indexOf(utf16("S1")) - 2] = char(200);
         return bytes;
     },
     "record shorter than its contents"},
    {"sharedTextBeyondTheTable",
     [](QByteArray bytes) {
         putU16(bytes, bytes.indexOf(utf16("hazeText1")) - 3, 0x7FFF);
         return bytes;
     },
     "shared string cut short"},
    {"sharedCountBeyondItsTexts",
     [](QByteArray bytes) {
         putU32(bytes, bytes.indexOf(utf16("hazeText1")) - 7, 0xFFFFFFFF);
         return bytes;
     },
     "shared strings missing"},
    {"cellBeyondItsSheet",
     [](const QByteArray &bytes) {
         return withDimensions(bytes, [](QByteArray &b, qsizetype body) { putU32(b, body, 0), putU32(b, body + 4, 1); });
     },
     "cell outside its sheet's dimensions"},
    // 8 × 65536 × 256 cells: 2.1 GB inside libfreexl before any cell is read.
    {"dimensionsOfEightFullSheets",
     [](const QByteArray &bytes) {
         return withDimensions(bytes, [](QByteArray &b, qsizetype body) {
             putU32(b, body + 4, 65536);
             putU16(b, body + 10, 256);
         });
     },
     nullptr},
};

using HostileXls = testing::TestWithParam<HostileCase>;

TEST_P(HostileXls, IsRefusedWithItsReasonWithinTheMemoryBudget)
{
    QTemporaryDir folder;
    const QByteArray good = eightSheets(folder.filePath("good.xls"));
    const QString path = folder.filePath("hostile.xls");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam().bytes(good));
    }
    const QString reason = GetParam().reason ? QString::fromLatin1(kDamaged).arg(QLatin1String(GetParam().reason))
                                             : QStringLiteral("the workbook is too large to read");
    const QString expected = QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), reason);
    // Read in a child, so that its peak is its own.
    const pid_t child = fork();
    if (child == 0) {
        Workbook workbook;
        WorkbookFormat format;
        QString error;
        const bool refused = !readWorkbookFile(path, workbook, format, error) && error == expected;
        if (!refused)
            fprintf(stderr, "%s\n", qPrintable(error));
        _exit(refused ? 0 : 1);
    }
    int status = -1;
    rusage usage{};
    ASSERT_EQ(wait4(child, &status, 0, &usage), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "expected: " << expected.toStdString();
    EXPECT_LT(qint64(usage.ru_maxrss) * 1024, ReadBudget::kPeakBytes);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileXls, testing::ValuesIn(hostileCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The unpatched workbook reads: each case above fails by its own patch alone.
TEST(HostileXls, TheWorkbookTheyArePatchedFromReads)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("good.xls");
    eightSheets(path);
    Workbook workbook;
    WorkbookFormat format;
    QString error;
    ASSERT_TRUE(readWorkbookFile(path, workbook, format, error)) << error.toStdString();
    ASSERT_EQ(workbook.sheets.size(), 8u);
    EXPECT_EQ(canonicalSheet(workbook.sheets[7], false), "\t\n\t\ns:hazeText8\tn:12.5\n");
}

} // namespace
