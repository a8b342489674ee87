#include "WorkbookExport.h"

#include "FileChooser.h"
#include "WorkbookSave.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace WorkbookExport {

bool write(QWidget *parent, const QList<QStringList> &rows, const Texts &texts,
           const std::function<void()> &afterSaved)
{
    if (rows.size() <= 1) {
        QMessageBox::information(parent, texts.noDataTitle, texts.noDataText);
        return false;
    }
    QString selectedFilter;
    const QString answer =
        FileChooser::saveFileName(parent, texts.caption, texts.proposedName, texts.filters, &selectedFilter);
    if (answer.isEmpty())
        return false;

    switch (saveRowsVerified(withWorkbookSuffix(answer, selectedFilter), rows)) {
    case SaveResult::Saved:
        break;
    case SaveResult::CantOverwrite:
        QMessageBox::information(parent, texts.overwriteTitle, texts.cantOverwrite);
        return false;
    case SaveResult::CantOpen:
        QMessageBox::information(parent, texts.errorTitle, texts.cantOpen);
        return false;
    case SaveResult::WriteFailed:
        QMessageBox::information(parent, texts.errorTitle, texts.writeFailed);
        return false;
    case SaveResult::NotReadBack:
        QMessageBox::information(parent, texts.errorTitle,
                                 QCoreApplication::translate("WorkbookExport",
                                                             "The saved file could not be read back completely; "
                                                             "the old file and the data were kept."));
        return false;
    }
    if (afterSaved)
        afterSaved();
    QMessageBox::information(parent, texts.successTitle, texts.successText);
    return true;
}

} // namespace WorkbookExport
