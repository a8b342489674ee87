// SPDX-License-Identifier: Apache-2.0
// Reading a workbook through the engine, as every caller does; built once per format
// (WORKBOOK_SUFFIX names it, since the engine's callers pass a file name).
#include "ExcelEngine.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ExcelEngine engine(inputFile(data, size, WORKBOOK_SUFFIX));
    if (!engine.openForReading(1))
        return 0;
    QList<QList<QVariant>> rows;
    if (engine.rowCount() > 0)
        engine.readAll(rows);
    engine.close();
    return 0;
}
