// SPDX-License-Identifier: Apache-2.0
// Reading a .xls workbook through the engine, as every caller does.
#include "ExcelEngine.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ExcelEngine engine(inputFile(data, size, ".xls"));
    if (!engine.openForReading(1))
        return 0;
    QList<QList<QVariant>> rows;
    if (engine.rowCount() > 0)
        engine.readAll(rows);
    engine.close();
    return 0;
}
