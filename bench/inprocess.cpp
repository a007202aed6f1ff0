// The things a user waits for inside the program, each reported as "of_budget": the
// mean time of one run divided by the time it may take (1 = just within it).

#include "dimensions/dimensions.h"
#include "documents/documentlist.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

constexpr double DropBudgetSeconds = 0.100;
constexpr double CalculateBudgetSeconds = 0.010;
constexpr double FolderBudgetSeconds = 1.0;
constexpr double LongestWaitBudgetSeconds = 0.050;

// The mean time of one iteration since `start`, divided by `budgetSeconds`.
void reportAgainst(benchmark::State& state, std::chrono::steady_clock::time_point start,
                   double budgetSeconds)
{
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.counters["of_budget"] = elapsed.count() / double(state.iterations()) / budgetSeconds;
}

// Files dropped on the list from a file manager: real files, delivered as Qt delivers a drop.
void dropOnTheList(benchmark::State& state)
{
    QTemporaryDir folder;
    QList<QUrl> urls;
    for (int i = 0; i < state.range(0); ++i) {
        QFile file(folder.filePath(
            QStringLiteral("poster %1 %2x%3.pdf").arg(i).arg(20 + i % 80).arg(30 + i % 70)));
        if (!file.open(QIODevice::WriteOnly))
            return state.SkipWithError("cannot create the documents");
        urls << QUrl::fromLocalFile(file.fileName());
    }
    QMimeData mime;
    mime.setUrls(urls);
    documents::DocumentList list;
    list.show(); // at its own size hint: the rows it paints are what matters
    const QPoint p = list.viewport()->rect().center();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        QDragEnterEvent enter(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDragMoveEvent move(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDropEvent drop(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &drop})
            QApplication::sendEvent(list.viewport(), event);
        QApplication::processEvents(); // the rows are painted as part of the drop
    }
    if (list.count() != state.range(0))
        state.SkipWithError("the drop did not list every document");
    reportAgainst(state, start, DropBudgetSeconds);
}
BENCHMARK(dropOnTheList)->Arg(10'000)->UseRealTime()->Unit(benchmark::kMillisecond);

// A folder of documents dropped on the list, until every row is shown; meanwhile a 5 ms timer
// records the longest the event loop left it waiting ("wait_of_budget", a share of 50 ms).
void dropAFolder(benchmark::State& state)
{
    QTemporaryDir folder;
    for (int i = 0; i < state.range(0); ++i) {
        if (!QFile(folder.filePath(QStringLiteral("poster %1 %2x70.pdf").arg(i).arg(20 + i % 80)))
                 .open(QIODevice::WriteOnly))
            return state.SkipWithError("cannot create the documents");
    }
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(folder.path())});
    documents::DocumentList list;
    list.show(); // at its own size hint: the rows it paints are what matters
    bool scanning = false;
    QObject::connect(&list, &documents::DocumentList::scanEnded, [&scanning] { scanning = false; });
    QElapsedTimer sinceTick;
    qint64 longestWait = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longestWait = std::max(longestWait, sinceTick.restart());
    });
    const QPoint p = list.viewport()->rect().center();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        scanning = true;
        QDragEnterEvent enter(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDragMoveEvent move(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDropEvent drop(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &drop})
            QApplication::sendEvent(list.viewport(), event);
        sinceTick.start();
        ticks.start(5);
        while (scanning || list.count() != state.range(0))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        ticks.stop();
    }
    reportAgainst(state, start, FolderBudgetSeconds);
    state.counters["wait_of_budget"] = double(longestWait) / 1000.0 / LongestWaitBudgetSeconds;
}
BENCHMARK(dropAFolder)->Arg(100'000)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

// Calculate: the closest ratio among the rows' size tokens.
void calculate(benchmark::State& state)
{
    std::vector<std::string> rows;
    for (int i = 0; i < state.range(0); ++i)
        rows.push_back(std::to_string(10 + i % 997) + "x" + std::to_string(10 + i % 991));
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(dimensions::findClosestRatio(rows, 70, 100));
    reportAgainst(state, start, CalculateBudgetSeconds);
}
BENCHMARK(calculate)->Arg(100'000)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv); // the list is a real widget
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
