// SPDX-License-Identifier: Apache-2.0
// Importing a comparison workbook for each result kind.
#include "ComparisonWorkbook.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // First byte: the result kind the page shows; the rest is the workbook.
    const QString path = inputFile(data + 1, size - 1, ".xls");
    QList<ComparisonRecord> records;
    ComparisonWorkbook::read(path, data[0] % 6, records);
    return 0;
}
