#include "BenchMain.h"

#include <QApplication>

// Benchmarks of pages need a QApplication; the offscreen platform gives one anywhere.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
