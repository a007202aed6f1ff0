#include "documents/folderscan.h"

#include "dimensions/dimensions.h"

#include <QCollator>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <numeric>
#include <vector>

namespace documents {

namespace {

constexpr qint64 ProgressInterval = 50; // ms: lively enough, cheap for the event loop

// Qt compares plain code points under the C locale, where numeric mode is ignored;
// names must sort the same way in every locale, so that one falls back to English.
QCollator naturalCollator()
{
    QCollator collator(QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale());
    collator.setNumericMode(true);
    return collator;
}

class Walk
{
public:
    Walk(const std::atomic<bool>& cancelled, std::function<void(int)> report)
        : m_cancelled(cancelled)
        , m_report(std::move(report))
    {
        m_sinceReport.start();
    }

    // Appends the documents in the folder at `path` to `out`, until cancelled.
    void folder(const QString& path, QStringList& out)
    {
        std::vector<Entry> entries;
        list(path, entries);
        // Indices, not entries, are moved around: a sort key is costly to swap.
        std::vector<std::uint32_t> order(entries.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&entries](std::uint32_t a, std::uint32_t b) {
            const int byKey = entries[a].key.compare(entries[b].key);
            return byKey != 0 ? byKey < 0 : entries[a].name < entries[b].name;
        });
        const QDir dir(path);
        out.reserve(out.size() + qsizetype(entries.size()));
        for (const std::uint32_t i : order) {
            if (m_cancelled)
                return;
            if (!entries[i].isFolder)
                out << dir.filePath(entries[i].name);
            else
                folder(dir.filePath(entries[i].name), out);
        }
    }

private:
    struct Entry
    {
        QString name;
        bool isFolder;
        QCollatorSortKey key;
    };

    // The documents and folders directly in `path`: hidden names, links to folders and
    // files without a size token left out. A folder that can't be read holds nothing.
    void list(const QString& path, std::vector<Entry>& entries)
    {
        namespace fs = std::filesystem;
        std::error_code error;
        for (fs::directory_iterator it(QFile::encodeName(path).toStdString(), error), end;
             !error && it != end; it.increment(error)) {
            if (m_cancelled)
                return;
            const std::string native = it->path().filename().native();
            if (native.starts_with('.'))
                continue;
            // The type comes with the name, so only links cost a look at what they name. A
            // broken link or an entry gone meanwhile is no document, and no reason to stop.
            std::error_code typeError;
            const bool isFolder = !it->is_symlink(typeError) && it->is_directory(typeError);
            if (!isFolder
                && !(it->is_regular_file(typeError) && !dimensions::findSizeToken(native).empty()))
                continue;
            m_found += isFolder ? 0 : 1;
            const QString name = QFile::decodeName(QByteArray::fromStdString(native));
            entries.push_back({name, isFolder, m_collator.sortKey(name)});
            if (m_sinceReport.elapsed() >= ProgressInterval) {
                m_sinceReport.start();
                m_report(m_found);
            }
        }
    }

    const std::atomic<bool>& m_cancelled;
    std::function<void(int)> m_report;
    QCollator m_collator = naturalCollator();
    QElapsedTimer m_sinceReport;
    int m_found = 0;
};

} // namespace

FolderScan::FolderScan(const QStringList& items, QObject* parent)
    : QObject(parent)
{
    // Reports are posted to this object, so Qt drops those pending when it is deleted;
    // the destructor waits for the worker, so none is posted after that.
    m_future = QtConcurrent::run([this, items] {
        Walk walk(m_cancelled, [this](int found) {
            QMetaObject::invokeMethod(
                this,
                [this, found] {
                    if (!m_cancelled)
                        emit progress(found);
                },
                Qt::QueuedConnection);
        });
        QStringList documents;
        for (const QString& item : items) {
            // A link to a folder is followed here: the user chose it.
            if (!QFileInfo(item).isDir())
                documents << item;
            else
                walk.folder(QDir::cleanPath(item), documents);
        }
        QMetaObject::invokeMethod(
            this,
            [this, documents] {
                if (!m_cancelled)
                    emit finished(documents);
            },
            Qt::QueuedConnection);
    });
}

FolderScan::~FolderScan()
{
    cancel();
    m_future.waitForFinished();
}

void FolderScan::cancel()
{
    m_cancelled = true;
}

} // namespace documents
