#pragma once

// A benchmark main that, after the usual console report, prints how much slower one
// benchmark is than a baseline measured in the same binary on the same data:
//
//     ratio findSizeToken / byte scan = 1.8x (goal <= 3x)
//
// Use it instead of BENCHMARK_MAIN():
//
//     int main(int argc, char** argv)
//     {
//         return bench::runWithRatios(argc, argv,
//                                     {{"findSizeToken / byte scan", "BM_FindSizeToken",
//                                       "BM_ByteScan", 3.0}});
//     }
//
// Names are the full benchmark names as printed, including any argument suffix
// ("BM_Search/100000"). With --benchmark_repetitions the mean of the repetitions is
// used. A ratio whose benchmarks did not run (filtered out, for example) is reported
// as missing rather than guessed. The exit status does not depend on the goals:
// timings vary from machine to machine and only a person should judge them.

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace bench {

struct Ratio
{
    std::string label;           // printed before " = "
    std::string numeratorName;   // the benchmark being judged
    std::string denominatorName; // the baseline
    double goal = 0.0;           // the highest acceptable ratio; 0 prints no goal
    // When positive, the baseline is this fixed time instead of a benchmark (a budget such as
    // "within 100 ms"); denominatorName then only names it.
    double budgetMilliseconds = 0.0;
};

// Forwards everything to the console and remembers each benchmark's real time per
// iteration, in nanoseconds.
class RatioCollector : public benchmark::ConsoleReporter
{
public:
    // Colours only on a terminal, so that logs stay readable.
    RatioCollector() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) {
                continue;
            }
            const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
            Sum& sum = m_sums[run.benchmark_name()];
            sum.total += seconds * 1e9;
            ++sum.count;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Mean real time per iteration in nanoseconds, or a negative value when unknown.
    double nanoseconds(const std::string& name) const
    {
        const auto it = m_sums.find(name);
        if (it == m_sums.end() || it->second.count == 0) {
            return -1.0;
        }
        return it->second.total / it->second.count;
    }

private:
    struct Sum
    {
        double total = 0.0;
        int count = 0;
    };
    std::map<std::string, Sum> m_sums;
};

// One line per ratio, e.g. "ratio A / B = 1.8x (goal <= 3x)".
inline std::string formatRatio(const Ratio& ratio, double numeratorNs, double denominatorNs)
{
    char text[64];
    std::string line = "ratio " + ratio.label + " = ";
    if (numeratorNs < 0.0 || denominatorNs <= 0.0) {
        line += "missing (";
        line += numeratorNs < 0.0 ? ratio.numeratorName : ratio.denominatorName;
        line += " did not run)";
        return line;
    }
    std::snprintf(text, sizeof text, "%.2fx", numeratorNs / denominatorNs);
    line += text;
    if (ratio.goal > 0.0) {
        std::snprintf(text, sizeof text, " (goal <= %gx)", ratio.goal);
        line += text;
    }
    return line;
}

inline int runWithRatios(int argc, char** argv, std::vector<Ratio> ratios)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    for (const Ratio& ratio : ratios) {
        const double baseline = ratio.budgetMilliseconds > 0.0
                                    ? ratio.budgetMilliseconds * 1e6
                                    : collector.nanoseconds(ratio.denominatorName);
        const std::string line =
            formatRatio(ratio, collector.nanoseconds(ratio.numeratorName), baseline);
        std::printf("%s\n", line.c_str());
    }
    std::fflush(stdout);
    return 0;
}

} // namespace bench
