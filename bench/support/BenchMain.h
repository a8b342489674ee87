#pragma once

#include "BenchSummary.h"

#include <QString>
#include <QtGlobal>
#include <benchmark/benchmark.h>
#include <cstdio>

// Runs the benchmarks given on the command line, then prints the summary. The link's debug
// lines would drown the figures, so only warnings and worse reach the terminal.
inline int runBenchmarks(int argc, char **argv)
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    BenchSummary::print();
    benchmark::Shutdown();
    return 0;
}
