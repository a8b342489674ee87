#pragma once

#include "ResultDecoding.h"

#include <QByteArray>

// Takes the first whole, intact pushed result frame off buffer and decodes it: the per-kind
// block of resultKind when perKind, the combined block otherwise. Damaged frames are skipped
// byte by byte, a partial frame stays in buffer for the next bytes, and per-kind results of
// another kind are dropped. False while no such frame is there.
bool takePushedResult(QByteArray &buffer, bool perKind, int resultKind, ResultValues &values);

// Waits more than ms milliseconds; never returns early. A pushed result is shown after such a pause.
void delayMs(int ms);
