// SPDX-License-Identifier: Apache-2.0
// meterno.xls as the comparison page loads it, and lookups in what it read.
#include "FuzzInput.h"
#include "MeterTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MeterTable table;
    if (!table.load(inputFile(data, size, ".xls")).isEmpty())
        return 0;
    QString model;
    int type = 0;
    for (quint32 number : {0u, 1u, 310u, 20180001u, 0xFFFFFFFFu})
        table.lookup(number, model, type);
    return 0;
}
