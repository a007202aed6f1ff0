#include "documents/folderscan.h"

#include "dimensions/dimensions.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
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

    // False once cancelled; `out` is then incomplete.
    bool folder(const QString& path, QStringList& out)
    {
        struct Entry
        {
            QString name;
            bool isFolder;
            QCollatorSortKey key;
        };
        std::vector<Entry> entries;
        // No QDir::Hidden: dot names are skipped; no System: broken links are skipped.
        QDirIterator it(path, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            if (m_cancelled)
                return false;
            it.next();
            const QFileInfo info = it.fileInfo();
            const bool isFolder = info.isDir();
            if (isFolder ? info.isSymLink()
                         : dimensions::findSizeToken(info.fileName().toStdString()).empty())
                continue;
            entries.push_back({info.fileName(), isFolder, m_collator.sortKey(info.fileName())});
        }
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            const int order = a.key.compare(b.key);
            return order != 0 ? order < 0 : a.name < b.name;
        });
        for (const Entry& entry : entries) {
            const QString child = path + '/' + entry.name;
            if (entry.isFolder) {
                if (!folder(child, out))
                    return false;
                continue;
            }
            out << child;
            if (m_sinceReport.elapsed() >= ProgressInterval) {
                m_sinceReport.start();
                m_report(int(out.size()));
            }
        }
        return !m_cancelled;
    }

private:
    const std::atomic<bool>& m_cancelled;
    std::function<void(int)> m_report;
    QCollator m_collator = naturalCollator();
    QElapsedTimer m_sinceReport;
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
            const bool isFolder = QFileInfo(item).isDir();
            if (!isFolder)
                documents << item;
            else if (!walk.folder(QDir::cleanPath(item), documents))
                return;
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
