#pragma once

#include <QFuture>
#include <QObject>
#include <QStringList>
#include <atomic>

namespace documents {

// Turns dropped, pasted or named items into documents on a pool thread: each folder
// stands for the documents inside it at any depth, in the order a file manager shows
// their names ("9x12" before "10x30"), placed where the folder stood among the items.
// Other items pass through unchanged. Inside folders, hidden names and files without a
// size token are left out, and links to folders are not followed, so a loop ends.
class FolderScan : public QObject
{
    Q_OBJECT
public:
    // Starts at once. Even without folders the result comes through finished(), never
    // from inside the constructor.
    explicit FolderScan(const QStringList& items, QObject* parent = nullptr);
    ~FolderScan() override; // cancels and waits; emits nothing afterwards
    void cancel(); // nothing is emitted after this

signals:
    void progress(int found); // documents found so far, at most every ~50 ms
    void finished(const QStringList& documents); // exactly once, unless cancelled

private:
    std::atomic<bool> m_cancelled{false};
    QFuture<void> m_future;
};

} // namespace documents
