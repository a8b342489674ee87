#pragma once

#include <QCoreApplication>
#include <QStringList>

// lumivex-cli delta-e: colour differences of L*a*b* pairs read line by line.
class DeltaECommand
{
    Q_DECLARE_TR_FUNCTIONS(DeltaECommand)

public:
    static int run(const QStringList &arguments);
    static QString usage();
};
