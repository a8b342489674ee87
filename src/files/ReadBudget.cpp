// SPDX-License-Identifier: Apache-2.0
#include "ReadBudget.h"

#include <QCoreApplication>

ReadBudget::ReadBudget(qint64 bytes, qint64 milliseconds) : limit_(bytes), milliseconds_(milliseconds)
{
    clock_.start();
}

bool ReadBudget::spend(qint64 bytes)
{
    if (bytes < 0 || bytes > limit_ - spent_)
        overspent_ = true;
    else
        spent_ += bytes;
    return !overspent_;
}

bool ReadBudget::inTime()
{
    if (!late_ && clock_.hasExpired(milliseconds_))
        late_ = true;
    return !late_;
}

QString ReadBudget::reason() const
{
    if (late_)
        return QCoreApplication::translate("Workbook", "the workbook takes too long to read");
    return QCoreApplication::translate("Workbook", "the workbook is too large to read");
}
