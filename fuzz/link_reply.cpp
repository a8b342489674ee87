// SPDX-License-Identifier: Apache-2.0
// Instrument replies through the command set: each command's reply is the next piece of the
// input, so echo tests, data checks and decoding all meet hostile bytes.
#include "CLinker.h"
#include "Crc16.h"
#include "DeviceCommands.h"
#include "InstrumentLink.h"
#include "RecordMemory.h"

#include <cstddef>
#include <cstdint>

namespace {

// A link whose replies come from the input: a control byte, then the reply. The control byte's
// low nibble adds bytes beyond the expected length; 0x80 writes a valid frame check and 0x40 a
// valid data check first, which a fuzzer cannot find by itself. Too few bytes left: time-out.
class ScriptedLinker : public CLinker
{
public:
    ScriptedLinker(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    bool done() const { return at_ >= size_; }

    bool IsOpen() override { return true; }
    bool IsRemoved() override { return false; }
    int WriteMessage(QByteArray &frame, int) override { return int(frame.size()); }
    int ReadMessage(QByteArray &out, int, int expectedLength) override
    {
        const uint8_t control = next();
        const size_t length = size_t(std::max(expectedLength, 1)) + (control & 0x0F);
        if (size_ - at_ < length)
            return at_ = size_, 0;
        QByteArray reply(reinterpret_cast<const char *>(data_ + at_), qsizetype(length));
        at_ += length;
        reply[0] = char(0xAB); // the link hands over replies from their start byte on
        if ((control & 0x40) && expectedLength >= 12)
            put(reply, expectedLength - 4, crc16Modbus(reply.constData() + 8, expectedLength - 12));
        if ((control & 0x80) && expectedLength >= 3)
            put(reply, expectedLength - 2, crc16Modbus(reply.constData(), expectedLength - 2));
        out.append(reply);
        return int(out.size());
    }

private:
    static void put(QByteArray &bytes, int at, quint16 value)
    {
        bytes[at] = char(value & 0xFF);
        bytes[at + 1] = char(value >> 8);
    }

    const uint8_t *data_;
    size_t size_;
    size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    auto owned = std::make_unique<ScriptedLinker>(data, size);
    ScriptedLinker &script = *owned;
    InstrumentLink link(std::move(owned));
    CDeviceCommands commands(link);
    DeviceInfo info;
    ResultValues values;
    std::array<int, 21> raw{};
    std::array<double, 31> spectrum{};
    QByteArray blocks[2];
    int a = 0, b = 0, c = 0;
    // Each step: a byte choosing the command (and its argument), then its reply.
    while (!script.done()) {
        const uint8_t step = script.next();
        const int arg = step >> 4;
        switch (step & 0x0F) {
        case 0: commands.readDeviceInfo(info); break;
        case 1: commands.readDeviceInfoOld(info); break;
        case 2: commands.readSoftwareVersion(a); break;
        case 3: commands.readDisplayParam(a); break;
        case 4: commands.readTolerance(a, b, c); break;
        case 5: commands.readDeltaEParam(a, b); break;
        case 6: commands.readKindResult(arg % 7, values); break;
        case 7:
            if (commands.readMeasureData(raw) == CmdOk)
                values = valuesFromMeasureData(raw);
            break;
        case 8: commands.readRecordCount(arg % 7, arg / 7, a); break;
        case 9: commands.readSpectralRecordCount(a, arg % 4); break;
        case 10: commands.readBlock(0x1000, blocks[arg & 1], 16 * arg + 2); break;
        case 11: commands.measureSpectrum(spectrum); break;
        case 12: commands.setDisplayParam(quint8(arg)); break;
        case 13: commands.writeStdColorCount(arg, 0); break;
        case 14: commands.writeBlock(0x40000, blocks[0], int(blocks[0].size())); break;
        default:
            // What a download does with the blocks it read.
            decodeStoredComparisons(arg % 7, blocks[0], blocks[1], arg * 3);
            decodeStoredSpectra(blocks[0], blocks[1], arg);
            break;
        }
    }
    return 0;
}
