#include "Console.h"

#include <QTextStream>

#include <cstdio>

void writeOut(const QString &text)
{
    QTextStream(stdout) << text;
}

void writeError(const QString &text)
{
    QTextStream(stderr) << text;
}
