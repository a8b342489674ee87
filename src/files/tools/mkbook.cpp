// lumivex-mkbook IN.tsv OUT.xls|OUT.xlsx: turns a tab-separated table into a workbook
// (sheet 1, from cell A1), each field typed as if typed into a spreadsheet.

#include "WorkbookFile.h"

#include <QFile>
#include <QTextStream>

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: lumivex-mkbook IN.tsv OUT.xls|OUT.xlsx\n";
        return 2;
    }
    const QString in = QFile::decodeName(argv[1]), out = QFile::decodeName(argv[2]);
    QFile source(in);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err << in << ": " << source.errorString() << "\n";
        return 2;
    }
    Sheet sheet{QStringLiteral("Sheet1"), {}};
    const QStringList lines = QString::fromUtf8(source.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList fields = lines[r].split(u'\t');
        for (int c = 0; c < fields.size(); ++c)
            sheet.cells.emplace(CellPos{r, c}, cellFromText(fields[c]));
    }
    Workbook workbook;
    workbook.sheets.push_back(std::move(sheet));
    QString error;
    if (!writeWorkbookFile(out, workbook, formatForExtension(out), error)) {
        err << error << "\n";
        return 2;
    }
    return 0;
}
