#include "BenchSummary.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

// Benchmarks below the pages: an event loop's application object, no windows. The link's
// debug lines would drown the figures.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    BenchSummary::print();
    benchmark::Shutdown();
    return 0;
}
