#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

class QUrl;

namespace documents {

// The path the bytes `pathBytes` name, as text, or an empty text when a QString can't carry
// them exactly: bytes that are not valid UTF-8 (a decoded look-alike could name another file),
// or a NUL, which would end the path early in every system call.
QString documentPath(const QByteArray& pathBytes);

// The bytes of the absolute path a URL names on this machine, or none when it names no local
// file: another machine's file, a relative path, or no file at all.
QByteArray localPathBytes(const QUrl& url);

// Paths with their folders resolved as the kernel resolves them (links first, then ".."), the
// file name kept as given, so a linked document keeps its own name. With the link
// lnk -> ../other/sub, "a/lnk/../doc.pdf" is other/doc.pdf, where cleaning the text would give
// a/doc.pdf. A folder that doesn't exist is left as given. Each folder is resolved once: the
// thousands of files of one drop mostly share one, and resolving it costs a lookup per part.
class RealFolders
{
public:
    QString withRealFolder(const QString& path);

private:
    QHash<QString, QString> m_resolved;
};

} // namespace documents
