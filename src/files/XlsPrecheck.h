// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>

class ReadBudget;

// libfreexl trusts the lengths, counts and sector numbers it finds in a file: a crafted one makes
// it read past its buffers or allocate gigabytes inside freexl_open. So every .xls is checked
// here first, in time linear in its size: the compound file (header, sector tables and chains,
// directory names, the Workbook stream) and the BIFF8 records libfreexl parses (strings against
// their records, shared strings across CONTINUE records, cells against their sheet's
// dimensions). What libfreexl and the workbook model will hold for it is charged to the budget.
// False with a translated reason when the file must not reach libfreexl.
bool precheckXls(const QByteArray &file, ReadBudget &budget, QString &reason);

// What libfreexl allocates for each cell of a sheet's declared dimensions.
inline constexpr qint64 kFreexlCellBytes = 16;
