// .xlsx through libxlsxwriter.

#include "WorkbookCodecs.h"
#include "ZipPackage.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <xlsxwriter.h>

namespace {

QString writerReason(lxw_error error)
{
    return QCoreApplication::translate("Workbook", "the spreadsheet writer failed (%1)")
        .arg(QString::fromUtf8(lxw_strerror(error)));
}

// Formats by number format and centring; the general, uncentred cell needs none.
class Formats
{
public:
    explicit Formats(lxw_workbook *book)
    {
        for (int f = 0; f < 3; ++f) {
            for (int centred = 0; centred < 2; ++centred) {
                if (f == 0 && centred == 0)
                    continue;
                lxw_format *format = workbook_add_format(book);
                if (NumberFormat(f) == NumberFormat::Percent)
                    format_set_num_format_index(format, 10);
                else if (NumberFormat(f) == NumberFormat::DateTime)
                    format_set_num_format(format, kDateTimeFormatCode);
                if (centred)
                    format_set_align(format, LXW_ALIGN_CENTER);
                formats_[f][centred] = format;
            }
        }
    }

    lxw_format *of(const Cell &cell) const { return formats_[int(cell.format)][cell.centred ? 1 : 0]; }

private:
    lxw_format *formats_[3][2] = {};
};

lxw_error writeCell(lxw_worksheet *sheet, CellPos pos, const Cell &cell, lxw_format *format)
{
    const lxw_row_t row = lxw_row_t(pos.row);
    const lxw_col_t column = lxw_col_t(pos.column);
    switch (cell.value.typeId()) {
    case QMetaType::Double:
        return worksheet_write_number(sheet, row, column, cell.value.toDouble(), format);
    case QMetaType::QDateTime:
        return worksheet_write_number(sheet, row, column, serialFromDateTime(cell.value.toDateTime()), format);
    case QMetaType::QString:
        return worksheet_write_string(sheet, row, column, cell.value.toString().toUtf8().constData(), format);
    default:
        return worksheet_write_blank(sheet, row, column, format);
    }
}

// The part's root element closes at its very end, which a truncated part cannot show.
// chunk takes the unpacked bytes; only the first and last few of them are kept.
bool partEndsWhole(ZipPart &part, QByteArray &chunk)
{
    constexpr qsizetype HeadSize = 512, TailSize = 256;
    QByteArray head, tail;
    for (qint64 n; (n = part.read(chunk.data(), chunk.size())) > 0;) {
        if (head.size() < HeadSize)
            head.append(chunk.constData(), std::min<qint64>(n, HeadSize - head.size()));
        if (n >= TailSize)
            tail = QByteArray(chunk.constData() + n - TailSize, TailSize);
        else
            tail = tail.append(chunk.constData(), n).right(TailSize);
    }
    static const QRegularExpression rootElement(QStringLiteral("<([A-Za-z_][^\\s/>]*)"));
    const QRegularExpressionMatch root = rootElement.match(QString::fromUtf8(head));
    return part.intact() && root.hasMatch()
           && tail.trimmed().endsWith(QByteArray("</") + root.captured(1).toUtf8() + '>');
}

// libxlsxwriter does not notice when writing its temporary files fails (a full disk) and
// then packs truncated parts.
bool packageIsComplete(const QString &path)
{
    ZipPackage package;
    QString detail;
    if (!package.open(path, detail))
        return false;
    // Large reads: the unpacker then copies less of its history between calls.
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (const QString &name : package.partNames()) {
        const std::unique_ptr<ZipPart> part = package.part(name, detail);
        if (!part || !partEndsWhole(*part, chunk))
            return false;
    }
    return true;
}

} // namespace

bool writeXlsx(const QString &path, const Workbook &workbook, QString &reason, const RowsOverSheet *rows)
{
    // Each row goes out to the sheet's part as soon as the next one starts, instead of being
    // kept in memory until the workbook closes; strings then stand in their cells.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!book) {
        reason = writerReason(LXW_ERROR_CREATING_XLSX_FILE);
        return false;
    }
    const Formats formats(book);
    lxw_error error = LXW_NO_ERROR;
    for (std::size_t s = 0; s < workbook.sheets.size() && error == LXW_NO_ERROR; ++s) {
        const Sheet &sheet = workbook.sheets[s];
        const QByteArray name = sheet.name.toUtf8();
        error = workbook_validate_sheet_name(book, name.constData());
        lxw_worksheet *worksheet = error == LXW_NO_ERROR ? workbook_add_worksheet(book, name.constData()) : nullptr;
        if (!worksheet) {
            error = error == LXW_NO_ERROR ? LXW_ERROR_MEMORY_MALLOC_FAILED : error;
            break;
        }
        const auto write = [&](CellPos pos, const Cell &cell) { return writeCell(worksheet, pos, cell, formats.of(cell)); };
        if (rows && rows->sheet == s) {
            error = forEachCellWithRows<lxw_error>(sheet, *rows->texts, rows->firstRow, write);
        } else {
            for (auto it = sheet.cells.begin(); it != sheet.cells.end() && error == LXW_NO_ERROR; ++it)
                error = write(it->first, it->second);
        }
    }
    const lxw_error closed = workbook_close(book);
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error == LXW_NO_ERROR && !packageIsComplete(path))
        error = LXW_ERROR_CREATING_TMPFILE;
    if (error != LXW_NO_ERROR) {
        reason = writerReason(error);
        return false;
    }
    return true;
}
