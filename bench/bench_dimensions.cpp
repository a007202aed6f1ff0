// The token search runs beside a baseline that walks the same names as cheaply as
// possible, and the closest-ratio search beside the 10 ms it may take for 100,000
// rows; the printed ratios are what to watch.

#include "bench/ratioreporter.h"
#include "dimensions/dimensions.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t nameCount = 100'000;

// Names the way people write them: words, a date, usually a size token somewhere,
// sometimes an upper-case X, accented letters, or no token at all.
std::vector<std::string> makeNames(std::size_t count)
{
    static const char* const words[] = {"Poster", "Sommerfest", "Flyer", "final",   "box",
                                        "Größe",  "café",       "v2",    "Entwurf", "Anzeige"};
    static const char* const endings[] = {".pdf", ".indd", ".docx", ".tif", ".jpg", ".psd"};
    std::mt19937 engine(12345u); // a fixed start state: every run sees the same names
    auto pick = [&engine](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = words[pick(0, 9)];
        name += ' ';
        name += words[pick(0, 9)];
        name += ' ';
        name += std::to_string(pick(2015, 2026));
        const int shape = pick(0, 9);
        if (shape != 0) {
            name += ' ';
            name += std::to_string(pick(5, 2000));
            name += shape == 1 ? 'X' : 'x';
            name += std::to_string(pick(5, 2000));
        }
        name += ' ';
        name += words[pick(0, 9)];
        name += endings[pick(0, 5)];
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> makeRows(std::size_t count)
{
    std::mt19937 engine(67890u);
    std::uniform_int_distribution<int> size(1, 3000);
    std::vector<std::string> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        rows.push_back(std::to_string(size(engine)) + "x" + std::to_string(size(engine)));
    }
    return rows;
}

const std::vector<std::string>& names()
{
    static const std::vector<std::string> all = makeNames(nameCount);
    return all;
}

const std::vector<std::string>& rows(std::size_t count)
{
    static const std::vector<std::string> small = makeRows(100'000);
    static const std::vector<std::string> large = makeRows(1'000'000);
    return count == small.size() ? small : large;
}

void BM_FindSizeToken(benchmark::State& state)
{
    const std::vector<std::string>& all = names();
    for (auto _ : state) {
        std::size_t found = 0;
        for (const std::string& name : all) {
            found += dimensions::findSizeToken(name).size();
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(all.size()));
}

// Touches every byte of every name once.
void BM_ByteScan(benchmark::State& state)
{
    const std::vector<std::string>& all = names();
    for (auto _ : state) {
        std::size_t xs = 0;
        for (const std::string& name : all) {
            for (const char c : name) {
                xs += c == 'x' ? 1 : 0;
            }
        }
        benchmark::DoNotOptimize(xs);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(all.size()));
}

void BM_FindClosestRatio(benchmark::State& state)
{
    const std::vector<std::string>& list = rows(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(dimensions::findClosestRatio(list, 70, 100));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_FindSizeToken)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindClosestRatio)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWithRatios(argc, argv,
                                {{"findSizeToken / byte scan", "BM_FindSizeToken", "BM_ByteScan", 3.0},
                                 {"findClosestRatio over 100000 rows / 10 ms",
                                  "BM_FindClosestRatio/100000", "10 ms", 1.0, 10.0}});
}
