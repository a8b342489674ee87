// CIEDE2000 and CMC(2:1) of ours next to Little CMS on the same pairs; target: ours ≥ 1.0×.
#include "ColourDifference.h"

#include <benchmark/benchmark.h>
#include <lcms2.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

struct Pair
{
    Lab standard, sample;
    cmsCIELab lcmsStandard, lcmsSample;
};

const std::vector<Pair> &pairs()
{
    static const std::vector<Pair> all = [] {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> lightness(1, 100), axis(-90, 90), step(-6, 6);
        std::vector<Pair> made;
        for (int i = 0; i < 1024; ++i) {
            const Lab s{lightness(random), axis(random), axis(random)};
            const Lab t{s.L + step(random), s.a + step(random), s.b + step(random)};
            made.push_back({s, t, {s.L, s.a, s.b}, {t.L, t.a, t.b}});
        }
        return made;
    }();
    return all;
}

template<typename Formula>
void sweep(benchmark::State &state, Formula formula)
{
    const std::vector<Pair> &all = pairs();
    for (auto _ : state) {
        for (const Pair &p : all)
            benchmark::DoNotOptimize(formula(p));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(all.size()));
}

void ours00(benchmark::State &state)
{
    sweep(state, [](const Pair &p) { return colorDifference(DeltaE00, p.standard, p.sample); });
}

void lcms00(benchmark::State &state)
{
    sweep(state, [](const Pair &p) { return cmsCIE2000DeltaE(&p.lcmsStandard, &p.lcmsSample, 1, 1, 1); });
}

void oursCmc(benchmark::State &state)
{
    sweep(state, [](const Pair &p) { return colorDifference(DeltaECmc21, p.standard, p.sample); });
}

void lcmsCmc(benchmark::State &state)
{
    sweep(state, [](const Pair &p) { return cmsCMCdeltaE(&p.lcmsStandard, &p.lcmsSample, 2, 1); });
}

BENCHMARK(ours00);
BENCHMARK(lcms00);
BENCHMARK(oursCmc);
BENCHMARK(lcmsCmc);

// Console output as usual, keeping each run's time so the ratios can follow it.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const char *what, const std::string &ours, const std::string &theirs) const
    {
        const auto o = times.find(ours), t = times.find(theirs);
        if (o != times.end() && t != times.end() && o->second > 0)
            std::printf("%s: ours runs at %.2fx the speed of lcms2; target >= 1.00x: %s\n", what, t->second / o->second,
                        t->second / o->second >= 1.0 ? "PASS" : "FAIL");
    }

private:
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("CIEDE2000", "ours00", "lcms00");
    reporter.printRatio("CMC(2:1)", "oursCmc", "lcmsCmc");
    benchmark::Shutdown();
    return 0;
}
