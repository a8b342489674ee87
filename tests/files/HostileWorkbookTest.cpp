// SPDX-License-Identifier: Apache-2.0
// Hostile, damaged and special workbook files are refused within the read budget with the message
// the user sees. Each read runs in a child process so its peak memory is its own.

#include "ReadBudget.h"
#include "WorkbookTestSupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtEndian>

#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// Writes one .xlsx for each case into the folder given; big parts are made here, not shipped.
const char *const kMakeHostile = R"(
import sys, zipfile, struct
out = sys.argv[1]
NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
def rels(items):
    return ('<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            + ''.join(f'<Relationship Id="{i}" Type="{REL}/{t}" Target="{p}"/>' for i, t, p in items)
            + '</Relationships>')
def book(name, sheet, sheets=1, strings=None):
    listed = ''.join(f'<sheet name="S{i}" sheetId="{i + 1}" r:id="rId1"/>' for i in range(sheets))
    with zipfile.ZipFile(f'{out}/{name}.xlsx', 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('_rels/.rels', rels([('rId1', 'officeDocument', 'xl/workbook.xml')]))
        z.writestr('xl/_rels/workbook.xml.rels', rels([('rId1', 'worksheet', 'worksheets/sheet1.xml'),
                                                       ('rId2', 'sharedStrings', 'sharedStrings.xml')]))
        z.writestr('xl/workbook.xml', f'<workbook {NS} xmlns:r="{REL}"><sheets>{listed}</sheets></workbook>')
        z.writestr('xl/sharedStrings.xml', f'<sst {NS}>{strings or ""}</sst>')
        z.writestr('xl/worksheets/sheet1.xml', f'<worksheet {NS}><sheetData>{sheet}</sheetData></worksheet>')
def row(cells, r=''):
    return f'<row{r}>' + '<c><v>1</v></c>' * cells + '</row>'
book('repeated-part', row(1000) * 200, sheets=200)
book('one-endless-text', '', strings='<si><t>' + 'a' * (64 << 20) + '</t></si>')
book('many-long-texts', '', strings=('<si><t>' + 'a' * 32000 + '</t></si>') * 5000)
book('many-cells', row(1400) * 2000)
book('nested', '<row><c>' + '<a>' * 1000000 + '</c></row>')
book('row-huge', row(1, ' r="99999999999"'))
book('row-lowest', row(1, ' r="-2147483648"'))
book('row-after-last', row(0, ' r="1048576"') + row(1))
book('cell-huge', '<row><c r="A99999999999"><v>1</v></c></row>')
# The sheet part damaged: a deflated block of a type that does not exist; a wrong CRC; a size too small.
def damage(name, change):
    book(name, row(50) * 200)
    with zipfile.ZipFile(f'{out}/{name}.xlsx') as z:
        info = z.getinfo('xl/worksheets/sheet1.xml')
    data = bytearray(open(f'{out}/{name}.xlsx', 'rb').read())
    change(data, info, info.header_offset + 30 + len(info.filename) + len(info.extra))
    open(f'{out}/{name}.xlsx', 'wb').write(data)
def put32(data, info, local, central, value): # in the local header and in the directory entry at the end
    entry = data.rindex(info.filename.encode()) - 46
    data[info.header_offset + local:info.header_offset + local + 4] = data[entry + central:entry + central + 4] = struct.pack('<I', value)
damage('damaged-deflate', lambda data, info, start: data.__setitem__(start, 0x07))
damage('wrong-crc', lambda data, info, start: put32(data, info, 14, 16, info.CRC ^ 1))
damage('beyond-declared-size', lambda data, info, start: put32(data, info, 22, 24, 100))
with zipfile.ZipFile(f'{out}/many-parts.xlsx', 'w') as z:
    for i in range(20000):
        z.writestr(f'{i:x}', '')
)";

struct Read { QString error; long peakKb = 0; qint64 milliseconds = 0; };

// Reads the file through the workbook reader in a child process: "read", or the error.
Read readInChild(const QString &path)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {QStringLiteral("no pipe")};
    QElapsedTimer clock;
    clock.start();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        Workbook workbook;
        WorkbookFormat format;
        QString error;
        const QByteArray said = readWorkbookFile(path, workbook, format, error) ? QByteArray("read") : error.toUtf8();
        [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], said.constData(), size_t(said.size()));
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    QByteArray said;
    char chunk[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        said.append(chunk, n);
    ::close(pipeEnds[0]);
    int status = 0;
    struct rusage usage{};
    ::wait4(child, &status, 0, &usage);
    return {QString::fromUtf8(said), usage.ru_maxrss, clock.elapsed()};
}

QString cannotRead(const QString &path, const QString &reason) { return QStringLiteral("Cannot read %1: %2").arg(path, reason); }
QString damaged(const QString &detail) { return QStringLiteral("the workbook is damaged (%1)").arg(detail); }
QByteArray utf16(const QString &text) { return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2); }

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

// The .xls with its stream's directory entry renamed.
QByteArray withStreamNamed(QByteArray xls, const QString &name)
{
    const qsizetype entry = xls.indexOf(utf16(QStringLiteral("Workbook")));
    xls.replace(entry, 64, utf16(name).leftJustified(64, '\0'));
    xls[entry + 64] = char((name.size() + 1) * 2);
    return xls;
}

QByteArray fixture(const char *name) { return contents(QStringLiteral(LUMIVEX_SOURCE_DIR "/tests/files/data/") + QLatin1String(name)); }

class HostileWorkbook : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder_ = new QTemporaryDir;
        runPython(QString::fromUtf8(kMakeHostile), {folder_->path()});
        // Eight sheets "S1".."S8", each a text and a number; sheet 1's text is the first shared string.
        Workbook eight;
        for (int s = 1; s <= 8; ++s)
            eight.sheets.push_back(Sheet{QStringLiteral("S%1").arg(s), {{CellPos{2, 0}, cellFromText(QStringLiteral("hazeText%1").arg(s))},
                                                                     {CellPos{2, 1}, Cell{12.5}}}});
        xls_ = contents(writeSample(folder_->filePath("good.xls"), WorkbookFormat::Xls, eight));
        xlsx_ = contents(writeSample(folder_->filePath("good.xlsx"), WorkbookFormat::Xlsx));
    }
    static void TearDownTestSuite() { delete folder_; }
    static QTemporaryDir *folder_;
    static QByteArray xls_, xlsx_;
};
QTemporaryDir *HostileWorkbook::folder_ = nullptr;
QByteArray HostileWorkbook::xls_, HostileWorkbook::xlsx_;

using Bytes = const QByteArray &;
// No bytes: made by kMakeHostile as name.xlsx; no reason: the file reads.
struct HostileCase { const char *name; std::function<QByteArray(Bytes xls, Bytes xlsx)> bytes; QString reason; };

TEST_F(HostileWorkbook, IsRefusedWithinTheBudget)
{
    // Over the budget: too large, or too slow where the machine is busy; either in its words.
    const QString tooLarge = QStringLiteral("the workbook is too large to read");
    const QString tooLong = QStringLiteral("the workbook takes too long to read");
    const QString sheet = QStringLiteral("xl/worksheets/sheet1.xml: ");
    const QString protectedFile = QStringLiteral("the workbook is password-protected");
    const HostileCase cases[] = {
        {"repeated-part", {}, tooLarge},
        {"one-endless-text", {}, tooLarge},
        {"many-long-texts", {}, tooLarge},
        {"many-cells", {}, tooLarge},
        {"nested", {}, damaged(sheet + "elements nested deeper than 64")},
        {"row-huge", {}, damaged("row 99999999999 outside the sheet")},
        {"row-lowest", {}, damaged("row -2147483648 outside the sheet")},
        {"row-after-last", {}, damaged("row 1048577 outside the sheet")},
        {"cell-huge", {}, damaged("cell reference A99999999999")},
        {"damaged-deflate", {}, damaged(sheet + "Premature end of document.")},
        {"wrong-crc", {}, damaged(sheet + "wrong size or CRC")},
        {"beyond-declared-size", {}, damaged(sheet + "Premature end of document.")},
        {"many-parts", {}, damaged("more than 10000 parts")},
        // Our own files, patched; unpatched, the .xls reads, so each case fails by its patch alone.
        {"unpatched", [](Bytes xls, Bytes) { return xls; }, {}},
        {"truncatedXls", [](Bytes xls, Bytes) { return xls.left(xls.size() / 2); }, damaged("sector table")},
        {"truncatedXlsx", [](Bytes, Bytes xlsx) { return xlsx.left(xlsx.size() - 30); }, damaged("Not a zip archive")},
        {"passwordProtectedXls", // CODEPAGE turned into FILEPASS (XOR obfuscation)
         [](QByteArray xls, Bytes) {
             return xls.replace(xls.indexOf(QByteArray("\x42\x00\x02\x00\xB0\x04", 6)), 6,
                                QByteArray("\x2F\x00\x02\x00\x00\x00", 6));
         },
         protectedFile},
        {"encryptedXlsx", [](Bytes xls, Bytes) { return withStreamNamed(xls, "EncryptedPackage"); }, protectedFile},
        {"ole2WithoutWorkbook", [](Bytes xls, Bytes) { return withStreamNamed(xls, "WordDocument"); }, damaged("no workbook stream")},
        // Directory names 4608 and 65535 bytes long (the first also in a broken directory chain):
        // libfreexl converted that many bytes.
        {"directoryName4608", [](Bytes, Bytes) { return fixture("read-4608.xls"); }, damaged("directory chain")},
        {"directoryName65535", [](Bytes, Bytes) { return fixture("read-65535.xls"); }, damaged("directory entry")},
        {"directoryEntryOfNoKnownType",
         [](QByteArray xls, Bytes) { return xls.replace(xls.indexOf(utf16("Workbook")) + 66, 1, "\x06"); },
         damaged("directory entry")},
        {"sheetNameBeyondItsRecord", [](QByteArray xls, Bytes) { return xls.replace(xls.indexOf(utf16("S1")) - 2, 1, "\xC8"); },
         damaged("record shorter than its contents")},
        {"sharedTextBeyondTheTable",
         [](QByteArray xls, Bytes) { putU16(xls, xls.indexOf(utf16("hazeText1")) - 3, 0x7FFF); return xls; },
         damaged("shared string cut short")},
        {"sharedCountBeyondItsTexts",
         [](QByteArray xls, Bytes) { putU32(xls, xls.indexOf(utf16("hazeText1")) - 7, 0xFFFFFFFF); return xls; },
         damaged("shared strings missing")},
        {"cellBeyondItsSheet",
         [](Bytes xls, Bytes) {
             return withDimensions(xls, [](QByteArray &b, qsizetype body) { putU32(b, body, 0), putU32(b, body + 4, 1); });
         },
         damaged("cell outside its sheet's dimensions")},
        // 8 × 65536 × 256 cells: 2.1 GB inside libfreexl before any cell is read.
        {"dimensionsOfEightFullSheets",
         [](Bytes xls, Bytes) {
             return withDimensions(xls, [](QByteArray &b, qsizetype body) {
                 putU32(b, body + 4, 65536);
                 putU16(b, body + 10, 256);
             });
         },
         tooLarge},
    };
    for (const auto &c : cases) {
        QString path = folder_->filePath(QString::fromLatin1(c.name) + ".xlsx");
        if (c.bytes) {
            path.chop(1);
            ASSERT_TRUE(putContents(path, c.bytes(xls_, xlsx_)));
        }
        const Read read = readInChild(path);
        const QString reason = c.reason == tooLarge && read.error.endsWith(tooLong) ? tooLong : c.reason;
        EXPECT_EQ(read.error.toStdString(), (reason.isNull() ? QStringLiteral("read") : cannotRead(path, reason)).toStdString());
#ifndef __SANITIZE_ADDRESS__ // its shadow memory and quarantine multiply a read's footprint
        EXPECT_LT(read.peakKb * 1024, ReadBudget::kPeakBytes) << c.name;
#endif
        EXPECT_LT(read.milliseconds, ReadBudget::kDefaultMilliseconds + 1000) << c.name;
    }
}

TEST_F(HostileWorkbook, SpecialFilesAreRefusedAtOnce)
{
    const QString fifo = folder_->filePath("fifo.xlsx"), locked = folder_->filePath("locked.xls");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString notRegular = QStringLiteral("it is not a regular file");
    const struct { QString path, reason; } cases[] = {{fifo, notRegular}, {folder_->path(), notRegular}, {"/dev/zero", notRegular}, {locked, "Permission denied"}};
    writeSample(locked, WorkbookFormat::Xls);
    QFile::setPermissions(locked, {});
    for (const auto &c : cases) {
        if (c.path == locked && ::geteuid() == 0)
            continue; // root reads it all the same
        const Read read = readInChild(c.path);
        EXPECT_EQ(read.error.toStdString(), cannotRead(c.path, c.reason).toStdString());
        EXPECT_LT(read.milliseconds, 2000) << c.path.toStdString();
    }
}

} // namespace
