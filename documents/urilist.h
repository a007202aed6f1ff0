#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace documents {

// The items of a text/uri-list, as file managers put them in a drag or on the
// clipboard, read straight from its bytes: one URI a line, lines separated by
// CR LF (a bare LF is taken too), lines starting with '#' being comments. Reading
// the bytes directly spares building a QUrl for each of thousands of dropped files.
class UriList
{
public:
    UriList() = default;
    // Reads at most `limit` items when it is not negative.
    explicit UriList(QByteArray bytes, qsizetype limit = -1);

    qsizetype size() const { return static_cast<qsizetype>(m_items.size()); }

    // Whether item i carries a file: a "file:" URI of an absolute path on this
    // machine (no host, or "localhost").
    bool carriesFile(qsizetype i) const;

    // The dimension token of the name of item i's file (the last component of its
    // path), or "". `buffer` is scratch space, reused from item to item.
    std::string token(qsizetype i, std::string& buffer) const;

    // The local path of item i's file, decoded; empty when it carries no file.
    QString localPath(qsizetype i) const;

private:
    struct Item
    {
        qsizetype start = 0;
        qsizetype size = 0;
    };
    // The path of item i as written, still percent-encoded; empty when the item
    // carries no file.
    QByteArrayView encodedPath(qsizetype i) const;

    QByteArray m_bytes;
    std::vector<Item> m_items;
};

} // namespace documents
