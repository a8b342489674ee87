#include "Console.h"

#include <cstdio>

// Straight to the C streams in UTF-8: a QTextStream per line costs more than a whole progress step.
void writeOut(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

void writeError(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
}
