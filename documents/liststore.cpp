#include "documents/liststore.h"

#include "platform/regularfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <optional>

namespace documents {

namespace {

// Written first, so that a list emptied on purpose is never a 0-byte file, which is
// what a crashed disk or a truncating editor leaves.
constexpr char Header[] = "# Pallisto: the documents in its list\r\n";
constexpr char Scheme[] = "file://";
constexpr char LocalHost[] = "localhost";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The bytes of the path a line names, or nothing when it is not a local file URL. Only
// printable ASCII is allowed and every escape must be complete, and the bytes must be
// UTF-8: anything looser could be read as the name of some other file.
std::optional<QByteArray> pathOfLine(QByteArrayView line)
{
    if (!line.startsWith(Scheme))
        return std::nullopt;
    line = line.sliced(sizeof Scheme - 1);
    if (line.startsWith(LocalHost))
        line = line.sliced(sizeof LocalHost - 1);
    if (!line.startsWith('/'))
        return std::nullopt;
    // Written in place: appended a byte at a time, ten thousand paths take a while to read.
    QByteArray bytes(line.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c < '!' || c > '~' || c == '?' || c == '#')
            return std::nullopt;
        if (c != '%') {
            *out++ = c;
            continue;
        }
        const int high = i + 2 < line.size() ? hexValue(line[i + 1]) : -1;
        const int low = high < 0 ? -1 : hexValue(line[i + 2]);
        if (low < 0 || (high == 0 && low == 0))
            return std::nullopt;
        *out++ = char(high * 16 + low);
        i += 2;
    }
    bytes.truncate(out - bytes.constData());
    if (!QByteArrayView(bytes).isValidUtf8())
        return std::nullopt;
    return bytes;
}

// Which of `paths` are files: a folder holding several of them is read once, since a
// lookup per document, ten thousand of them, would hold up the start by a good part.
QList<bool> filesAmong(const QList<QByteArray>& paths)
{
    const auto folderOf = [](QByteArrayView path) { return path.first(path.lastIndexOf('/') + 1); };
    const auto nameOf = [](QByteArrayView path) { return path.sliced(path.lastIndexOf('/') + 1); };
    QHash<QByteArrayView, QSet<QByteArrayView>> namesIn;
    for (const QByteArray& path : paths)
        namesIn[folderOf(path)].insert(nameOf(path));
    QHash<QByteArrayView, QSet<QByteArrayView>> filesIn;
    for (auto folder = namesIn.cbegin(); folder != namesIn.cend(); ++folder) {
        if (folder->size() < 2)
            continue;
        if (auto files = platform::regularFilesAmong(folder.key().toByteArray(), *folder))
            filesIn.insert(folder.key(), std::move(*files));
    }
    QList<bool> areFiles;
    areFiles.reserve(paths.size());
    for (const QByteArray& path : paths) {
        const auto files = filesIn.constFind(folderOf(path));
        areFiles << (files != filesIn.cend() ? files->contains(nameOf(path))
                                             : QFileInfo(QString::fromUtf8(path)).isFile());
    }
    return areFiles;
}

QString warningFor(const QString& path, const QString& what)
{
    return QStringLiteral("pallisto: the remembered list %1 %2").arg(path, what);
}

} // namespace

QString ListStore::defaultPath()
{
    // Relative values are to be ignored, as the XDG base directory rules say.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + "/.local/state";
    return state + "/pallisto/documents.uri-list";
}

ListStore::ListStore(QString path)
    : m_path(std::move(path))
{
}

bool ListStore::save(const QStringList& paths) const
{
    QByteArray text = Header;
    for (const QString& path : paths)
        text += Scheme + path.toUtf8().toPercentEncoding("/") + "\r\n";
    QSaveFile file(m_path);
    return QDir().mkpath(QFileInfo(m_path).absolutePath()) && file.open(QIODevice::WriteOnly)
        && file.write(text) == text.size() && file.commit();
}

ListStore::Loaded ListStore::load() const
{
    Loaded loaded;
    QFile file(m_path);
    // Another instance saves by renaming a new file over this one; a lookup that races the
    // rename can miss the name for an instant, so it is looked up twice before it counts as
    // missing (a first start).
    if (!file.open(QIODevice::ReadOnly) && !file.open(QIODevice::ReadOnly)) {
        if (!file.exists())
            return loaded;
        loaded.warning = warningFor(m_path, "cannot be read (" + file.errorString()
                                                + "); starting with an empty list");
        return loaded;
    }
    const QByteArray text = file.readAll();
    bool damaged = text.isEmpty() || file.error() != QFileDevice::NoError;
    QList<QByteArray> paths;
    for (qsizetype start = 0, end = 0; start < text.size(); start = end + 1) {
        end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end;
        QByteArrayView line = QByteArrayView(text).sliced(start, end - start);
        line.chop(line.endsWith('\r') ? 1 : 0);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const std::optional<QByteArray> path = pathOfLine(line);
        damaged |= !path;
        if (path)
            paths << *path;
    }
    // Documents moved or deleted since are left out; that is no damage.
    const QList<bool> areFiles = filesAmong(paths);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (areFiles[i])
            loaded.paths << QString::fromUtf8(paths[i]);
    }
    if (damaged)
        loaded.warning = warningFor(m_path, "is damaged; starting with what could be read");
    return loaded;
}

} // namespace documents
