// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QtGlobal>

// The layout of an .xls file that our writer produces and the check before every read enforces:
// BIFF8 records in the workbook stream, and the OLE2 compound file that holds the stream.
namespace XlsLayout {

namespace Rec {
constexpr quint16 Bof = 0x0809, Eof = 0x000A, FilePass = 0x002F, Codepage = 0x0042, Window1 = 0x003D,
                  Font = 0x0031, Format = 0x041E, Xf = 0x00E0, Style = 0x0293, BoundSheet = 0x0085, Sst = 0x00FC,
                  Continue = 0x003C, ExtSst = 0x00FF, Dimensions = 0x0200, Window2 = 0x023E, Number = 0x0203,
                  Rk = 0x027E, MulRk = 0x00BD, Label = 0x0204, LabelSst = 0x00FD, RString = 0x00D6, Blank = 0x0201,
                  BoolErr = 0x0205, Formula = 0x0006, String = 0x0207;
}

constexpr int kMaxRecordBody = 8224;

namespace Cfb {
constexpr quint32 kSector = 512;
constexpr quint32 kIdsPerSector = kSector / 4;
constexpr quint32 kHeaderFatIds = 109;
constexpr quint32 kFree = 0xFFFFFFFF, kEndOfChain = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD,
                  kDifatSector = 0xFFFFFFFC, kNoStream = 0xFFFFFFFF;
constexpr int kDirectoryEntry = 128;
constexpr int kMiniSector = 64;
// Streams shorter than this live in the mini stream.
constexpr quint32 kMiniStreamCutoff = 4096;
} // namespace Cfb

} // namespace XlsLayout
