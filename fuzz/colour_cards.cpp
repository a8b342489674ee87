// SPDX-License-Identifier: Apache-2.0
// The colour card library check over the rows of a workbook (tab-separated text here, so the
// fuzzer spends its time in the check rather than in a reader).
#include "ColourCardLibrary.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ColourCardLibrary library;
    if (library.read(gridRows(data, size), QStringLiteral("TQ310")).ok())
        (void)library.packetCount();
    return 0;
}
