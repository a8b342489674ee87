#include "BenchMain.h"

#include <QCoreApplication>

// Benchmarks below the pages: an event loop's application object, no windows.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
