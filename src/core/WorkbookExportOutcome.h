#pragma once

#include "Outcome.h"
#include "WorkbookSave.h"

// The messages of a workbook export, shared by the comparison and the spectral page. Each page
// keeps its own translation contexts: its texts in pageContext, two of its titles in titleContext.
struct ExportTexts
{
    const char *pageContext;
    const char *titleContext;

    Outcome noData() const;
    // Saved: the success message; otherwise the failure, and the page keeps its records.
    Outcome of(SaveResult result) const;
};
