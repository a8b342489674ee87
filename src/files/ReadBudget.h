// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

// What reading one workbook may cost, counted over the whole workbook: every sheet, every
// text, shared strings, and a part again each time it is listed. Readers estimate the memory
// they hold as it grows and ask for time as they go; a read that would go beyond either is
// refused with reason(). One budget for each read of one file, made where the read starts
// (its clock starts with it).
class ReadBudget
{
public:
    // The peak a read may bring the process to, the program itself included.
    static constexpr qint64 kPeakBytes = qint64(256) << 20;
    // What the readers may account for: the peak less room for the program, the parsers'
    // buffers and the engine's copy of a used range (at most kMaxUsedCells values, 96 MB).
    static constexpr qint64 kDefaultBytes = qint64(128) << 20;
    static constexpr qint64 kDefaultMilliseconds = 5000;
    // Estimated cost of one stored cell (map node and value), beside any text it holds.
    static constexpr qint64 kCellBytes = 96;

    // Estimated cost of a text of that many UTF-16 characters held on its own.
    static constexpr qint64 textBytes(qint64 characters) { return 32 + 2 * characters; }

    explicit ReadBudget(qint64 bytes = kDefaultBytes, qint64 milliseconds = kDefaultMilliseconds);

    // Adds to what the read holds; false, and false from then on, once that is more than allowed.
    bool spend(qint64 bytes);
    bool spendCells(qint64 cells) { return spend(cells > 0 && cells > limit_ / kCellBytes ? limit_ + 1 : cells * kCellBytes); }
    // Gives back what a read has freed (a parser's transient buffers).
    void release(qint64 bytes) { spent_ -= qMin(bytes, spent_); }
    // False once the time is up (and from then on); cheap enough to call for every element.
    bool inTime();
    // Neither the memory nor the time has run out.
    bool ok() { return !overspent_ && inTime(); }

    qint64 spent() const { return spent_; }
    qint64 limit() const { return limit_; }

    // Why the read is refused, translated, for the read-failure message ("Cannot read %1: %2").
    QString reason() const;

private:
    qint64 limit_;
    qint64 spent_ = 0;
    qint64 milliseconds_;
    QElapsedTimer clock_;
    bool overspent_ = false;
    bool late_ = false;
};
