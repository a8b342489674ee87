#include "WorkbookExportOutcome.h"

#include <QCoreApplication>

Outcome ExportTexts::noData() const
{
    return Outcome::failure(QCoreApplication::translate(titleContext, "error"),
                            QCoreApplication::translate(pageContext, "No data for Storing to Excel!"));
}

Outcome ExportTexts::of(SaveResult result) const
{
    const auto page = [this](const char *text) { return QCoreApplication::translate(pageContext, text); };
    switch (result) {
    case SaveResult::Saved:
        return Outcome::said(page("Storing data"), page("Data stored to file Success"));
    case SaveResult::CantOverwrite:
        return Outcome::failure(QCoreApplication::translate(titleContext, "Error"),
                                page("Can't overwrite this file, maybe the file is in use!"));
    case SaveResult::CantOpen:
        return Outcome::failure(page("Error"), page("Failed to store data, can't open file!"));
    case SaveResult::WriteFailed:
        return Outcome::failure(page("Error"), page("Failed to export data to excel file"));
    case SaveResult::NotReadBack:
        break;
    }
    return Outcome::failure(page("Error"),
                            QCoreApplication::translate("WorkbookExport",
                                                        "The saved file could not be read back completely; "
                                                        "the old file and the data were kept."));
}
