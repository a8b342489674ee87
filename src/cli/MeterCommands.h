// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCoreApplication>
#include <QStringList>

// lumivex-cli info, measure, records and spectra: the meter itself, through the same sessions as
// the window, on USB or on a simulated meter. Progress goes to standard error; exit status 0
// success, 1 a failure of the meter or of a file (with its message), 2 bad usage.
class MeterCommands
{
    Q_DECLARE_TR_FUNCTIONS(MeterCommands)

public:
    static int info(const QStringList &arguments);
    static int measure(const QStringList &arguments);
    static int records(const QStringList &arguments);
    static int spectra(const QStringList &arguments);
};
