// Files we write, read back by independent readers; files others write, read by ours.

#include "WorkbookTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

Workbook readBook(const QString &path, WorkbookFormat expectedFormat)
{
    Workbook workbook;
    WorkbookFormat format;
    QString error;
    EXPECT_TRUE(readWorkbookFile(path, workbook, format, error)) << error.toStdString();
    EXPECT_EQ(format, expectedFormat);
    return workbook;
}

class Writers : public testing::TestWithParam<WorkbookFormat>
{
protected:
    QString write(const Workbook &workbook)
    {
        return writeSample(folder.filePath(GetParam() == WorkbookFormat::Xls ? "out.xls" : "out.xlsx"), GetParam(), workbook);
    }
    QTemporaryDir folder;
};

TEST_P(Writers, IndependentReadersAndOursSeeWhatWasWritten)
{
    // A second sheet, and an empty third one as templates often carry.
    Workbook workbook = workbookOf(sampleSheet());
    workbook.sheets.push_back(Sheet{QStringLiteral("Second"), {{CellPos{0, 0}, Cell{2.5, NumberFormat::General, false}}}});
    workbook.sheets.push_back(Sheet{QStringLiteral("Empty"), {}});
    const Sheet &sample = workbook.sheets[0];
    const QString path = write(workbook);
    const bool xls = GetParam() == WorkbookFormat::Xls;
    EXPECT_EQ(runPython(xls ? kXlrdDump : kOpenpyxlDump, {path}), canonicalSheet(sample));
    // Ours reads no percent or centring marks from .xls.
    const Workbook read = readBook(path, GetParam());
    ASSERT_EQ(read.sheets.size(), 3u);
    EXPECT_EQ(canonicalSheet(read.sheets[0], !xls), canonicalSheet(sample, !xls));
    EXPECT_EQ(read.sheets[0].name, sample.name);
    EXPECT_EQ(canonicalSheet(read.sheets[2]), QString());
}

TEST_P(Writers, LongTablesSpanContinueRecordsAndSectorTables)
{
    // 2000 texts of 2000 characters: about a thousand CONTINUE records with texts split between
    // them, and an 8 MB stream needing more FAT sectors than the header lists (109), so DIFAT ones.
    Sheet sheet{QStringLiteral("Sheet1"), {}};
    for (int r = 0; r < 2000; ++r) {
        const QString text = QStringLiteral("%1 雾度").arg(r).repeated(500).left(2000);
        sheet.cells.emplace(CellPos{r, 0}, Cell{text, NumberFormat::General, false});
        sheet.cells.emplace(CellPos{r, 1}, Cell{r * 0.5, NumberFormat::General, true});
    }
    const QString path = write(workbookOf(sheet));
    const bool formats = GetParam() == WorkbookFormat::Xlsx;
    EXPECT_EQ(canonicalSheet(readBook(path, GetParam()).sheets.at(0), formats), canonicalSheet(sheet, formats));
    if (GetParam() == WorkbookFormat::Xls) {
        EXPECT_GT(QFileInfo(path).size(), 109 * 128 * 512);
        // DIMENSIONS: first row, one past the last, first column, one past the last.
        EXPECT_TRUE(contents(path).contains(QByteArray::fromHex("0002 0E00 00000000 D0070000 0000 0200 0000")));
        EXPECT_EQ(runPython(kXlrdDump, {path}), canonicalSheet(sheet));
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, Writers, testing::Values(WorkbookFormat::Xls, WorkbookFormat::Xlsx),
                         [](const auto &info) { return info.param == WorkbookFormat::Xls ? "xls" : "xlsx"; });

// What python3-xlwt and python3-openpyxl write, our readers read.
struct ForeignCase { const char *name, *extension; WorkbookFormat format; const char *script, *expected; };

const ForeignCase foreignCases[] = {
    {"xlwt", ".xls", WorkbookFormat::Xls, R"(
import sys, datetime, xlwt
book = xlwt.Workbook(encoding='utf-8')
sheet = book.add_sheet('数据')
date = xlwt.easyxf(num_format_str='yyyy/mm/dd hh:mm')
sheet.write(1, 1, 'Standard Haze')
sheet.write(1, 2, '标准值雾度')
sheet.write(2, 1, 310000)
sheet.write(2, 2, 0.1234)
sheet.write(2, 3, datetime.datetime(2024, 5, 1, 10, 30), date)
sheet.write(3, 4, -1.5)
sheet.write(4, 1, '')
book.add_sheet('Other').write(0, 0, 'second sheet')
book.save(sys.argv[1])
)",
     "\t\t\t\t\n\ts:Standard Haze\ts:标准值雾度\t\t\n\tn:310000\tn:0.1234\td:2024-05-01T10:30:00\t\n\t\t\t\tn:-1.5\n"},
    {"openpyxl", ".xlsx", WorkbookFormat::Xlsx, R"(
import sys, datetime, zipfile, openpyxl
zipfile.ZIP_FILECOUNT_LIMIT = 1 # a zip64 end record, as packages past 64k parts or 4 GB carry
book = openpyxl.Workbook()
sheet = book.active
sheet.title = '数据'
sheet['B2'] = 'Standard Haze'
sheet['C2'] = '标准值雾度'
sheet['B3'] = 310000
sheet['C3'] = 0.1234
sheet['C3'].number_format = '0.00%'
sheet['D3'] = datetime.datetime(2024, 5, 1, 10, 30)
sheet['D3'].number_format = 'yyyy/mm/dd hh:mm'
sheet['E4'] = True
sheet['F4'] = datetime.datetime(2023, 1, 2, 3, 4, 5)
sheet['F4'].number_format = '[$-409]d-mmm-yy h:mm:ss;@'
sheet['G4'] = 'a_x000D_b'
sheet['B4'].alignment = openpyxl.styles.Alignment(horizontal='center')
sheet['B4'] = 'PASS'
book.create_sheet('Other')['A1'] = 'second sheet'
book.save(sys.argv[1])
)",
     "\t\t\t\t\t\t\n\ts:Standard Haze\ts:标准值雾度\t\t\t\t\n\tn:310000\tp:0.1234\td:2024-05-01T10:30:00\t\t\t\n"
     "\ts:PASS^\t\t\tn:1\td:2023-01-02T03:04:05\ts:a\rb\n"},
    {"handmade", ".xlsx", WorkbookFormat::Xlsx, R"(
import sys, zipfile
main = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
rel = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
parts = {
    '_rels/.rels': '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="%s/officeDocument" Target="xl/workbook.xml"/></Relationships>' % rel,
    'xl/workbook.xml': '<workbook %s xmlns:r="%s"><workbookPr date1904="1"/><sheets>'
        '<sheet name="数据" r:id="rId1"/><sheet name="Other" r:id="rId2"/></sheets></workbook>' % (main, rel),
    'xl/_rels/workbook.xml.rels': '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/>'
        '<Relationship Id="rId2" Type="%s/worksheet" Target="/xl/worksheets/sheet2.xml"/>'
        '<Relationship Id="rId3" Type="%s/styles" Target="styles.xml"/>'
        '<Relationship Id="rId4" Type="%s/sharedStrings" Target="sharedStrings.xml"/></Relationships>' % (rel, rel, rel, rel),
    'xl/styles.xml': '<styleSheet %s><numFmts><numFmt numFmtId="164" formatCode="yyyy/mm/dd hh:mm"/>'
        '<numFmt numFmtId="165" formatCode="0.0\\%%"/></numFmts>'
        '<cellXfs><xf numFmtId="0"/><xf numFmtId="164"/><xf numFmtId="10"><alignment horizontal="center"/></xf>'
        '<xf numFmtId="9"/><xf numFmtId="165"/></cellXfs></styleSheet>' % main,
    'xl/sharedStrings.xml': '<sst %s><si><r><t>Stan</t></r><r><t>dard</t></r><rPh><t>hint</t></rPh></si>'
        '<si><t>标准值雾度</t></si></sst>' % main,
    'xl/worksheets/sheet1.xml': '<worksheet %s><sheetData>'
        '<row><c t="s"><v>0</v></c><c t="s"><v>1</v></c></row>'
        '<row><c t="inlineStr"><is><t>in&#108;<![CDATA[ine]]></t></is></c><c s="1"><v>0</v></c>'
        '<c s="2"><v>0.25</v></c><c s="3"><v>0.5</v></c><c s="4"><v>12.5</v></c></row>'
        '<row r="5"><c r="C5" t="b"><v>1</v></c><c t="e"><v>#N/A</v></c></row></sheetData></worksheet>' % main,
    'xl/worksheets/sheet2.xml': '<x:worksheet %s><x:sheetData><x:row r="1"><x:c r="A1" t="inlineStr"><x:is><x:t>second '
        'sheet</x:t></x:is></x:c></x:row></x:sheetData></x:worksheet>' % main.replace('xmlns=', 'xmlns:x='),
}
with zipfile.ZipFile(sys.argv[1], 'w') as package:
    for name, text in parts.items():
        stored = name.endswith('sheet2.xml')
        package.writestr(name, text, zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED)
)",
     // An escaped % is a literal sign, not a percentage.
     "s:Standard\ts:标准值雾度\t\t\t\ns:inline\td:1904-01-01T00:00:00\tp:0.25^\tp:0.5\tn:12.5\n\t\t\t\t\n\t\t\t\t\n"
     "\t\tn:1\ts:#N/A\t\n"},
};

using ForeignWriters = testing::TestWithParam<ForeignCase>;

TEST_P(ForeignWriters, OurReaderReadsTheirWorkbook)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("foreign") + GetParam().extension);
    runPython(QString::fromUtf8(GetParam().script), {path});
    const Workbook workbook = readBook(path, GetParam().format);
    ASSERT_EQ(workbook.sheets.size(), 2u);
    EXPECT_EQ(workbook.sheets[0].name, QStringLiteral("数据"));
    EXPECT_EQ(canonicalSheet(workbook.sheets[0], GetParam().format == WorkbookFormat::Xlsx),
              QString::fromUtf8(GetParam().expected));
    EXPECT_EQ(canonicalSheet(workbook.sheets[1]), "s:second sheet\n");
}

INSTANTIATE_TEST_SUITE_P(Python, ForeignWriters, testing::ValuesIn(foreignCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
