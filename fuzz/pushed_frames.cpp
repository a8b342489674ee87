// SPDX-License-Identifier: Apache-2.0
// The worker's polled bytes as the comparison page takes results out of them.
#include "PushedFrames.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // First byte: per-kind frames or the combined block, and the current result kind (also 6, 7).
    const bool perKind = data[0] & 0x80;
    const int resultKind = data[0] & 0x07;
    QByteArray buffer;
    ResultValues values;
    // The rest arrives in polls of up to 64 bytes, as the worker reads them.
    for (size_t at = 1; at < size; at += 64) {
        buffer.append(reinterpret_cast<const char *>(data + at), qsizetype(std::min<size_t>(64, size - at)));
        while (takePushedResult(buffer, perKind, resultKind, values)) {
        }
    }
    return 0;
}
