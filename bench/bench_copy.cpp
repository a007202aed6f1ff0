// Copy mode on a 1 GiB document beside cp --reflink=auto in the same folder, on a
// disk, on tmpfs and on btrfs; and how long the GUI event loop waits while CopyJob
// copies. The cp baseline is followed by `sync FILE` because copyBeside fsyncs.

#include "bench/ratioreporter.h"
#include "documents/copyjob.h"
#include "platform/copybeside.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr qint64 FileSize = 1ll << 30;
const char* const PlaceNames[] = {"/tmp (disk)", "/dev/shm (tmpfs)", "btrfs"};

// A folder holding the 1 GiB original, removed with everything in it at exit.
struct Place
{
    std::unique_ptr<QTemporaryDir> dir;
    QString folder; // where the original lies
    QString skipped; // why the place cannot be measured
    QString original() const { return folder + "/original 50x70.bin"; }
    QString copy() const { return folder + "/original 60x80.bin"; }
};

// The btrfs image and its mount; unmounted before its folder goes.
struct Btrfs
{
    QTemporaryDir dir{"/tmp/pallisto-bench-btrfs-XXXXXX"};
    bool mounted = false;
    ~Btrfs()
    {
        if (mounted)
            ::umount2(QFile::encodeName(dir.path() + "/mnt"), MNT_DETACH);
    }
};

Place g_places[3];
Btrfs* g_btrfs = nullptr;
double g_gapNs[3] = {-1, -1, -1};
double g_btrfsCopyNs = -1; // mean of BM_CopyBeside on btrfs

int run(const char* program, std::vector<const char*> args)
{
    args.insert(args.begin(), program);
    args.push_back(nullptr);
    pid_t pid;
    if (::posix_spawnp(&pid, program, nullptr, nullptr, const_cast<char**>(args.data()), environ) != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QString mountBtrfs()
{
    if (::geteuid() != 0)
        return "mounting a btrfs image needs root";
    const QString image = g_btrfs->dir.path() + "/btrfs.img", mnt = g_btrfs->dir.path() + "/mnt";
    QFile sparse(image);
    // Room for the original and uncloned copies of the baseline, should cp not clone.
    if (!sparse.open(QFile::WriteOnly) || !sparse.resize(4 * FileSize))
        return "cannot make the image";
    sparse.close();
    if (run("mkfs.btrfs", {"-q", QFile::encodeName(image).constData()}) != 0)
        return "mkfs.btrfs failed (is btrfs-progs installed?)";
    QDir().mkpath(mnt);
    if (run("mount", {"-o", "loop", QFile::encodeName(image).constData(), QFile::encodeName(mnt).constData()}) != 0)
        return "mount -o loop failed";
    g_btrfs->mounted = true;
    return {};
}

// The place with its original, made on first use: real bytes, not a sparse file,
// so that every way of copying moves all of them.
const Place& place(int index)
{
    Place& p = g_places[index];
    if (!p.folder.isEmpty() || !p.skipped.isEmpty())
        return p;
    if (index == 2) {
        p.skipped = mountBtrfs();
        p.folder = g_btrfs->dir.path() + "/mnt";
    } else {
        p.dir = std::make_unique<QTemporaryDir>(QString(index == 0 ? "/tmp" : "/dev/shm") + "/pallisto-bench-XXXXXX");
        p.folder = p.dir->path();
    }
    if (!p.skipped.isEmpty())
        return p;
    QFile f(p.original());
    if (!f.open(QFile::WriteOnly)) {
        p.skipped = "cannot write the original: " + f.errorString();
        return p;
    }
    QByteArray chunk(8 << 20, Qt::Uninitialized);
    quint64 x = 88172645463325252ull;
    for (qint64 written = 0; written < FileSize; written += chunk.size()) {
        for (char& c : chunk)
            x ^= x << 13, x ^= x >> 7, x ^= x << 17, c = char(x);
        f.write(chunk);
    }
    f.close();
    ::sync(); // so that writing the original back does not fall into the measurements
    return p;
}

bool ready(benchmark::State& state, const Place& p)
{
    if (p.skipped.isEmpty())
        return true;
    state.SkipWithError(qPrintable("skipped: " + p.skipped));
    return false;
}

void removeCopy(benchmark::State& state, const Place& p)
{
    state.PauseTiming();
    QFile::remove(p.copy());
    state.ResumeTiming();
}

void BM_CopyBeside(benchmark::State& state)
{
    const Place& p = place(int(state.range(0)));
    if (!ready(state, p))
        return;
    QElapsedTimer clock;
    qint64 copying = 0;
    for (auto _ : state) {
        clock.start();
        const platform::CopyResult r = platform::copyBeside(p.original(), "original 60x80.bin");
        copying += clock.nsecsElapsed();
        if (r.status != platform::CopyResult::Status::Copied)
            state.SkipWithError(qPrintable("copy failed: " + r.reason));
        removeCopy(state, p);
    }
    if (state.range(0) == 2)
        g_btrfsCopyNs = double(copying) / double(state.iterations());
    state.SetLabel(PlaceNames[state.range(0)]);
}

void cp(benchmark::State& state, bool sync)
{
    const Place& p = place(int(state.range(0)));
    if (!ready(state, p))
        return;
    const QByteArray from = QFile::encodeName(p.original()), to = QFile::encodeName(p.copy());
    for (auto _ : state) {
        if (run("cp", {"--reflink=auto", from.constData(), to.constData()}) != 0 ||
            (sync && run("sync", {to.constData()}) != 0))
            state.SkipWithError("cp or sync failed");
        removeCopy(state, p);
    }
    state.SetLabel(PlaceNames[state.range(0)]);
}
void BM_CpSync(benchmark::State& state) { cp(state, true); }
void BM_Cp(benchmark::State& state) { cp(state, false); }

// The largest gap between the ticks of a 5 ms timer while CopyJob copies, the
// window's thread doing nothing else.
void BM_GuiGap(benchmark::State& state)
{
    const Place& p = place(int(state.range(0)));
    if (!ready(state, p))
        return;
    for (auto _ : state) {
        QElapsedTimer clock;
        qint64 last = 0, longest = 0;
        QTimer tick;
        tick.setInterval(5);
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.nsecsElapsed() - last);
            last = clock.nsecsElapsed();
        });
        QEventLoop loop;
        clock.start();
        tick.start();
        documents::CopyJob job(p.original(), "original 60x80.bin");
        QObject::connect(&job, &documents::CopyJob::finished, &loop, &QEventLoop::quit);
        loop.exec();
        longest = std::max(longest, clock.nsecsElapsed() - last);
        g_gapNs[state.range(0)] = std::max(g_gapNs[state.range(0)], double(longest));
        state.counters["longest_gap_ms"] = double(longest) / 1e6;
        removeCopy(state, p);
    }
    state.SetLabel(PlaceNames[state.range(0)]);
}

constexpr int Iterations = 3;

// Place by place, so that what one place leaves behind (write-back, freed memory)
// weighs on the product and its baselines alike.
void registerAll()
{
    for (int i = 0; i < 3; ++i) {
        using Benchmark = std::pair<const char*, void (*)(benchmark::State&)>;
        for (auto [name, function] : {Benchmark{"BM_CopyBeside", BM_CopyBeside},
                                      Benchmark{"BM_CpSync", BM_CpSync}, Benchmark{"BM_Cp", BM_Cp}})
            benchmark::RegisterBenchmark(name, function)->Arg(i)->Iterations(Iterations)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_GuiGap", BM_GuiGap)->Arg(i)->Iterations(1)->Unit(benchmark::kMillisecond);
    }
}

std::string name(const char* benchmark, int place, int iterations = Iterations)
{
    return std::string(benchmark) + "/" + std::to_string(place) + "/iterations:" + std::to_string(iterations);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Btrfs btrfs;
    g_btrfs = &btrfs;
    registerAll();
    std::vector<bench::Ratio> ratios;
    for (int i = 0; i < 3; ++i) {
        const std::string where = PlaceNames[i];
        ratios.push_back({"copy mode / cp --reflink=auto + sync, " + where, name("BM_CopyBeside", i),
                          name("BM_CpSync", i), 1.1});
        ratios.push_back({"copy mode / cp --reflink=auto, " + where, name("BM_CopyBeside", i),
                          name("BM_Cp", i), 0.0});
    }
    const int status = bench::runWithRatios(argc, argv, ratios);
    // The fixed goals, from the same runs.
    std::printf("%s\n", bench::formatRatio({"copy mode on btrfs / 50 ms", name("BM_CopyBeside", 2), "50 ms", 1.0},
                                           g_btrfsCopyNs, 50e6).c_str());
    for (int i = 0; i < 3; ++i) {
        const bench::Ratio gap{std::string("longest GUI gap during CopyJob / 50 ms, ") + PlaceNames[i],
                               name("BM_GuiGap", i, 1), "50 ms", 1.0};
        std::printf("%s\n", bench::formatRatio(gap, g_gapNs[i], 50e6).c_str());
    }
    for (Place& p : g_places)
        p.dir.reset();
    return status;
}
