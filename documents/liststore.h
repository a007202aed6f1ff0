#pragma once

#include <QString>
#include <QStringList>

namespace documents {

// The list of documents as it is remembered between runs: a text/uri-list file (one
// file URL a line, "#" lines are comments), which a person can read and which holds
// any byte of a path, percent-encoded.
class ListStore
{
public:
    struct Loaded
    {
        QStringList paths;
        QString warning; // one line for stderr, or empty when all went well
    };

    // $XDG_STATE_HOME/pallisto/documents.uri-list, ~/.local/state by default.
    static QString defaultPath();

    explicit ListStore(QString path = defaultPath());

    QString path() const { return m_path; }

    // Replaces the file atomically, creating its folder: after a crash it holds either
    // the old list or the new one. False when it could not be written.
    bool save(const QStringList& paths) const;

    // The documents remembered that still exist, in order. A damaged, unreadable or
    // emptied file gives what could be read and a warning; a missing one is a first
    // start, an empty list without warning.
    Loaded load() const;

private:
    QString m_path;
};

} // namespace documents
