#pragma once

#include <QByteArray>
#include <array>

// One decoded result: the eleven values in display order (haze %, T %, L*, a*, b*,
// L, C*, h, Y, x, y) and the swatch colour. Values a block does not carry are 0.
struct ResultValues
{
    std::array<double, 11> values{};
    int red = 0;
    int green = 0;
    int blue = 0;
};

// Decoding shared by replies and pushed result frames; offset is the frame's start byte.
// A frame is whole once these many bytes from its start byte are there; missing bytes decode as 0.
constexpr int kindFrameLength = 34;
constexpr int measureFrameLength = 64;

// The per-kind result block of result kind 0-5; other kinds decode only the colour.
ResultValues decodeKindBlock(const QByteArray &frame, int offset, int kind);
// Combined block: d0-11 six signed, d12-23 six unsigned, d24-d30 seven bytes (last three R, G, B), haze, T.
std::array<int, 21> decodeMeasureBlock(const QByteArray &frame, int offset);
ResultValues valuesFromMeasureData(const std::array<int, 21> &raw);
