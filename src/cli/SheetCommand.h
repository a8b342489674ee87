#pragma once

#include <QCoreApplication>
#include <QStringList>

// lumivex-cli sheet: prints sheet 1 of a workbook, or converts between .xls and .xlsx.
class SheetCommand
{
    Q_DECLARE_TR_FUNCTIONS(SheetCommand)

public:
    static int run(const QStringList &arguments);
    static QString usage();
};
