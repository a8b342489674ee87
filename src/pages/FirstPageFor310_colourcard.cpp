// Standard colour card upload: the library workbook "StdColor.xlsx" replaces the
// instrument's cards, as the count, one record per card and one stream of colour data.
#include "FirstPageFor310.h"

#include "ColourCardLibrary.h"
#include "ColourCardMemory.h"
#include "DeviceCommands.h"
#include "ExcelEngine.h"
#include "FileChooser.h"
#include "InstrumentLink.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

namespace {

using Page = FirstPageFor310;
using Rows = QList<QList<QVariant>>;

const char LibraryFileName[] = "StdColor.xlsx";

void showError(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, Page::tr("Error"), text);
}

QString readFailedText()
{
    return Page::tr("Failed to read excel file!");
}

// Opened only to read: a mistyped path must not leave an empty workbook behind.
bool readLibraryRows(QWidget *parent, const QString &fileName, Rows &rows)
{
    ExcelEngine engine(fileName);
    if (!engine.openForReading(1)) {
        showError(parent, Page::tr("Can't open file!"));
        return false;
    }
    if (engine.rowCount() <= 0) {
        showError(parent, readFailedText());
        return false;
    }
    engine.readAll(rows);
    engine.close();
    return true;
}

void showProblem(QWidget *parent, const ColourCardCheck &check)
{
    switch (check.problem) {
    case ColourCardCheck::None:
        return;
    case ColourCardCheck::WrongModel:
        QMessageBox::warning(parent, Page::tr("Error"), Page::tr("The written contents do not match and cannot be written!"));
        return;
    case ColourCardCheck::ReadFailed:
        showError(parent, readFailedText());
        return;
    case ColourCardCheck::NotEnoughRows:
        showError(parent, Page::tr("Error in Excel file with not enough rows of standard color cards!"));
        return;
    case ColourCardCheck::NameTooLong:
        showError(parent, Page::tr("The name in row %1 of the Excel file is too long to be written!").arg(check.row));
        return;
    }
}

// Packets of 256 bytes at consecutive addresses, then the empty packet right after the
// stream, the only one the instrument acknowledges. The failure's text, empty on success.
QString writeColourStream(CDeviceCommands &commands, QWidget *parent, const ColourCardLibrary &library)
{
    const QByteArray &stream = library.stream();
    QProgressDialog progress(Page::tr("Storing data,please wait..."), Page::tr("cancel"), 0, library.packetCount(),
                             parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    for (int packet = 0; packet < library.packetCount(); ++packet) {
        const QByteArray data = stream.mid(qsizetype(packet) * ColourCardMemory::PacketSize,
                                           ColourCardMemory::PacketSize);
        const quint32 address = ColourCardMemory::StreamAddress + quint32(packet) * ColourCardMemory::PacketSize;
        if (commands.writeBlock(address, data, int(data.size())) < 0)
            return Page::tr("Failed to write standard color card data!");
        progress.setValue(packet);
    }
    const int closed = commands.writeBlock(ColourCardMemory::StreamAddress + quint32(stream.size()), {}, 0);
    if (closed == CmdRefused)
        return Page::tr("Failed to write!");
    if (closed < 0)
        return Page::tr("Failed to write empty packet!");
    progress.setValue(progress.maximum());
    progress.hide();
    return {};
}

QString writeLibrary(CDeviceCommands &commands, QWidget *parent, const ColourCardLibrary &library)
{
    if (commands.writeStdColorCount(library.count(), library.countCrc()) < 0)
        return Page::tr("Failed to write the total number of standard color cards!");
    for (int i = 0; i < library.count(); ++i) {
        const ColourCard &card = library.cards()[i];
        if (commands.writeStdColorInfo(int(library.cardAddress(i)), card.name1, card.name2, card.colourRows,
                                       card.value2, card.crc)
            < 0)
            return Page::tr("Failed to write standard color card information!");
    }
    return writeColourStream(commands, parent, library);
}

} // namespace

void FirstPageFor310::on_pushButton_writeStandardColor_clicked()
{
    if (!checkDeviceOpen())
        return;
    // Held across the whole upload, so no polling read falls between its frames.
    const auto link = currentLink();
    LinkLock lock(link);
    const QString fileName = FileChooser::openFileName(this, tr("Select one Excel files to open"),
                                                       QStringLiteral("./"), tr("excel file (*.xlsx)"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).fileName() != QLatin1String(LibraryFileName)) {
        QMessageBox::warning(this, tr("Error"), tr("File error, unable to write!"));
        return;
    }
    Rows rows;
    if (!readLibraryRows(this, fileName, rows))
        return;
    ColourCardLibrary library;
    if (const ColourCardCheck check = library.read(rows, state_.modelName); !check.ok()) {
        showProblem(this, check);
        return;
    }
    CDeviceCommands commands(link);
    if (const QString failure = writeLibrary(commands, this, library); !failure.isEmpty()) {
        showError(this, failure);
        return;
    }
    QMessageBox::information(this, tr("Information"), tr("Write to standard color card library successfully!"));
}
