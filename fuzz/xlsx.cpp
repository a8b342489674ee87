// SPDX-License-Identifier: Apache-2.0
// Reading a .xlsx workbook through the engine, as every caller does.
#include "ExcelEngine.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ExcelEngine engine(inputFile(data, size, ".xlsx"));
    if (!engine.openForReading(1))
        return 0;
    QList<QList<QVariant>> rows;
    if (engine.rowCount() > 0)
        engine.readAll(rows);
    engine.close();
    return 0;
}
