// A drop of many files and Calculate over many rows, measured through the real
// widgets, each beside the cheapest way to do the same with plain Qt or the
// dimension model alone.

#include "bench/ratioreporter.h"
#include "dimensions/dimensions.h"
#include "documents/documentlistbox.h"
#include "documents/mainwindowactions.h"
#include "tests/support/fakedesktop.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int dropCount = 10'000;
constexpr int rowCount = 100'000;

// Paths the way a folder of finished documents looks: a few folders, words, a
// year, a size token with either x, and an extension. Every name holds a token.
QList<QUrl> makeDocuments(int count)
{
    static const char* const words[] = {"Poster", "Sommerfest", "Flyer",   "final",
                                        "Größe",  "café",       "Entwurf", "Anzeige"};
    static const char* const endings[] = {".pdf", ".indd", ".tif", ".psd"};
    std::mt19937 engine(4242u); // the same documents on every run
    auto pick = [&engine](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
    QList<QUrl> urls;
    urls.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString path = QString("/home/anna/Dokumente/Kunden %1/%2 %3 %4 %5%6%7%8")
                                 .arg(pick(1, 40))
                                 .arg(words[pick(0, 7)], words[pick(0, 7)])
                                 .arg(pick(2015, 2026))
                                 .arg(pick(5, 2000))
                                 .arg(pick(0, 3) == 0 ? "X" : "x")
                                 .arg(pick(5, 2000))
                                 .arg(endings[pick(0, 3)]);
        urls << QUrl::fromLocalFile(path);
    }
    return urls;
}

// A drag from another application: its text/uri-list is handed over as the bytes
// the file manager sent, one encoded URI a line, as the window system's drop data
// does. (A QMimeData filled in-process turns such bytes into QUrls at once.)
class ExternalDrag : public QMimeData
{
public:
    explicit ExternalDrag(const QList<QUrl>& urls)
    {
        for (const QUrl& url : urls) {
            m_uriList += url.toEncoded() + "\r\n";
        }
    }
    QStringList formats() const override { return {"text/uri-list"}; }
    bool hasFormat(const QString& format) const override { return format == "text/uri-list"; }

protected:
    QVariant retrieveData(const QString& format, QMetaType) const override
    {
        return format == "text/uri-list" ? QVariant(m_uriList) : QVariant();
    }

private:
    QByteArray m_uriList;
};

QStringList tokensOf(const QList<QUrl>& urls)
{
    QStringList tokens;
    for (const QUrl& url : urls) {
        tokens << QString::fromStdString(dimensions::findSizeToken(url.fileName().toStdString()));
    }
    return tokens;
}

void dropOnto(documents::DocumentListBox& list, const QMimeData& mime)
{
    QWidget* viewport = list.viewport();
    const QPoint pos = viewport->rect().center();
    QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &move);
    QDropEvent drop(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &drop);
}

void BM_DropFiles(benchmark::State& state)
{
    documents::DocumentListBox list;
    list.show();
    const ExternalDrag mime(makeDocuments(dropCount));
    for (auto _ : state) {
        dropOnto(list, mime);
    }
    if (list.count() != dropCount) {
        state.SkipWithError("the drop did not list every file");
    }
}
BENCHMARK(BM_DropFiles)->Unit(benchmark::kMillisecond);

// The same rows added in one call to a plain list, emptied first as a drop does.
void BM_AddItems(benchmark::State& state)
{
    QListWidget list;
    list.show();
    const QStringList tokens = tokensOf(makeDocuments(dropCount));
    for (auto _ : state) {
        list.clear();
        list.addItems(tokens);
    }
}
BENCHMARK(BM_AddItems)->Unit(benchmark::kMillisecond);

void BM_Calculate(benchmark::State& state)
{
    QWidget window;
    auto* list = new documents::DocumentListBox(&window);
    auto* propx = new QLineEdit("70", &window);
    auto* propy = new QLineEdit("100", &window);
    auto* percents = new QLabel(&window);
    auto* calculate = new QPushButton(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(list);
    layout->addWidget(percents);
    FakeDesktop desktop;
    documents::MainWindowActions actions({&window, list, propx, propy, new QLabel(&window),
                                          percents, calculate, new QPushButton(&window)},
                                         desktop, [] {});
    window.show();
    const ExternalDrag mime(makeDocuments(rowCount));
    dropOnto(*list, mime);
    for (auto _ : state) {
        actions.PushButton1_Action();
    }
    if (list->selectedItems().size() != 1 || desktop.beeps != 0) {
        state.SkipWithError("Calculate did not select one row");
    }
}
BENCHMARK(BM_Calculate)->Unit(benchmark::kMillisecond);

void BM_FindClosestRatio(benchmark::State& state)
{
    std::vector<std::string> rows;
    for (const QString& token : tokensOf(makeDocuments(rowCount))) {
        rows.push_back(token.toStdString());
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(dimensions::findClosestRatio(rows, 70, 100));
    }
}
BENCHMARK(BM_FindClosestRatio)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return bench::runWithRatios(
        argc, argv,
        {{"drop of 10,000 files / addItems", "BM_DropFiles", "BM_AddItems", 1.5},
         {"Calculate over 100,000 rows / FindClosestRatio", "BM_Calculate", "BM_FindClosestRatio",
          2.0}});
}
