// Start-up time and idle memory of the app against a bare QMainWindow built with
// the same flags. Each iteration starts a probe process under the offscreen
// platform and times it from the spawn until the probe says its main window was
// shown; the probe then idles and reports its resident memory.
#include "bench/ratioreporter.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct ProbeRun
{
    double secondsToShown = 0.0;
    long residentKilobytes = 0;
};

std::string probePath(const char* name)
{
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return name;
    std::string path(self, static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1) + name;
}

// Reads one line from `fd`, or nothing when the probe closed its output first.
std::optional<std::string> readLine(int fd)
{
    std::string line;
    char c = 0;
    while (read(fd, &c, 1) == 1) {
        if (c == '\n')
            return line;
        line += c;
    }
    return std::nullopt;
}

std::optional<ProbeRun> runProbe(const std::string& path, const char* argument)
{
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    // Qt's notes about what the offscreen platform cannot do would bury the report.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    char* argv[] = {const_cast<char*>(path.c_str()), const_cast<char*>(argument), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return std::nullopt;
    }
    const std::optional<std::string> shown = readLine(out[0]);
    const auto end = std::chrono::steady_clock::now();
    const std::optional<std::string> rss = readLine(out[0]);
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);

    if (shown != "shown" || !rss || rss->rfind("rss ", 0) != 0 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    return ProbeRun{std::chrono::duration<double>(end - start).count(),
                    std::strtol(rss->c_str() + 4, nullptr, 10)};
}

enum Probe
{
    Pallisto,
    Bare,
    BareWithText,
    ProbeCount
};

// Idle memory per probe over all repetitions, for the ratios printed after the run.
struct MemoryTally
{
    double kilobytes = 0.0;
    double runs = 0.0;
    double mean() const { return runs > 0.0 ? kilobytes / runs : -1.0; }
};
MemoryTally g_memory[ProbeCount];

// `argument` is passed to the probe; nullptr passes none.
void measureStartup(benchmark::State& state, const char* probe, const char* argument, Probe slot)
{
    const std::string path = probePath(probe);
    // The first start pays for reading the libraries from disk; leave it out.
    if (!runProbe(path, argument)) {
        // Run it by hand to see its messages: QT_QPA_PLATFORM=offscreen <path>
        state.SkipWithError(("the probe " + path + " did not report a shown window").c_str());
        return;
    }
    double kilobytes = 0.0;
    for (auto _ : state) {
        const std::optional<ProbeRun> run = runProbe(path, argument);
        if (!run) {
            state.SkipWithError("a probe run failed");
            return;
        }
        state.SetIterationTime(run->secondsToShown);
        kilobytes += static_cast<double>(run->residentKilobytes);
    }
    g_memory[slot].kilobytes += kilobytes;
    g_memory[slot].runs += static_cast<double>(state.iterations());
    state.counters["idle_rss_kB"] = kilobytes / static_cast<double>(state.iterations());
}

void BM_StartupPallisto(benchmark::State& state)
{
    measureStartup(state, "startup_probe_pallisto", nullptr, Pallisto);
}

void BM_StartupBareMainWindow(benchmark::State& state)
{
    measureStartup(state, "startup_probe_bare", nullptr, Bare);
}

// Not a goal: shows how much of the difference is Qt's font set-up, which a
// window without any text never does.
void BM_StartupBareMainWindowWithText(benchmark::State& state)
{
    measureStartup(state, "startup_probe_bare", "text", BareWithText);
}

constexpr int kRuns = 8;
BENCHMARK(BM_StartupPallisto)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(kRuns);
BENCHMARK(BM_StartupBareMainWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kRuns);
BENCHMARK(BM_StartupBareMainWindowWithText)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kRuns);

std::string runName(const std::string& benchmark)
{
    return benchmark + "/iterations:" + std::to_string(kRuns) + "/manual_time";
}

const char* const kBenchmarkNames[ProbeCount] = {"BM_StartupPallisto", "BM_StartupBareMainWindow",
                                                 "BM_StartupBareMainWindowWithText"};

void printMemoryRatio(const std::string& label, Probe numerator, Probe denominator, double goal)
{
    const bench::Ratio ratio{label, kBenchmarkNames[numerator], kBenchmarkNames[denominator], goal};
    const double measured = g_memory[numerator].mean();
    const double baseline = g_memory[denominator].mean();
    std::string line = bench::formatRatio(ratio, measured, baseline);
    if (measured > 0.0 && baseline > 0.0)
        line += " (" + std::to_string(std::lround(measured)) + " kB / " +
                std::to_string(std::lround(baseline)) + " kB)";
    std::printf("%s\n", line.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    // The probes need no display; a developer's DISPLAY must not leak into them.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char runtimeDir[] = "/tmp/pallisto-bench-XXXXXX";
    const bool madeRuntimeDir = mkdtemp(runtimeDir) != nullptr;
    if (madeRuntimeDir)
        setenv("XDG_RUNTIME_DIR", runtimeDir, 0);
    // Repetitions of the three run in random order, so that a change in the
    // machine's load during the run does not fall on one probe only. Flags given
    // on the command line come later and win.
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=3";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, {repetitions, interleaving});
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    const int status = bench::runWithRatios(
        count, args.data(),
        {{"start-up Pallisto / bare QMainWindow", runName("BM_StartupPallisto"),
          runName("BM_StartupBareMainWindow"), 1.2},
         {"start-up Pallisto / bare QMainWindow with text", runName("BM_StartupPallisto"),
          runName("BM_StartupBareMainWindowWithText"), 0.0}});
    printMemoryRatio("idle memory Pallisto / bare QMainWindow", Pallisto, Bare, 1.15);
    printMemoryRatio("idle memory Pallisto / bare QMainWindow with text", Pallisto, BareWithText,
                     0.0);
    if (madeRuntimeDir)
        rmdir(runtimeDir);
    return status;
}
