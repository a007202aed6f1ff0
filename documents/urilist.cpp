#include "documents/urilist.h"

#include "dimensions/dimensions.h"

#include <QUrl>

namespace documents {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool startsWithNoCase(QByteArrayView text, QByteArrayView prefix)
{
    return text.size() >= prefix.size() &&
           QByteArrayView(text.first(prefix.size())).compare(prefix, Qt::CaseInsensitive) == 0;
}

} // namespace

UriList::UriList(QByteArray bytes, qsizetype limit) : m_bytes(std::move(bytes))
{
    const QByteArrayView all(m_bytes); // read-only: the bytes stay shared, not copied
    const qsizetype end = all.size();
    qsizetype start = 0;
    while (start < end && (limit < 0 || size() < limit)) {
        qsizetype stop = all.indexOf('\n', start);
        if (stop < 0) {
            stop = end;
        }
        qsizetype size = stop - start;
        if (size > 0 && all[stop - 1] == '\r') {
            --size;
        }
        if (size > 0 && all[start] != '#') {
            m_items.push_back({start, size});
        }
        start = stop + 1;
    }
}

QByteArrayView UriList::encodedPath(qsizetype i) const
{
    const Item& item = m_items[static_cast<std::size_t>(i)];
    QByteArrayView uri = QByteArrayView(m_bytes).sliced(item.start, item.size).trimmed();
    if (!startsWithNoCase(uri, "file:")) {
        return {};
    }
    uri = uri.sliced(5);
    if (uri.startsWith("//")) {
        uri = uri.sliced(2);
        qsizetype slash = uri.indexOf('/');
        if (slash < 0) {
            return {};
        }
        const QByteArrayView host = uri.first(slash);
        if (!host.isEmpty() && host.compare("localhost", Qt::CaseInsensitive) != 0) {
            return {};
        }
        uri = uri.sliced(slash);
    }
    // A file URI has no query or fragment; should one come, it is not part of the path.
    for (const char end : {'?', '#'}) {
        if (const qsizetype at = uri.indexOf(end); at >= 0) {
            uri = uri.first(at);
        }
    }
    return uri.startsWith('/') ? uri : QByteArrayView();
}

bool UriList::carriesFile(qsizetype i) const
{
    return !encodedPath(i).isEmpty();
}

std::string UriList::token(qsizetype i, std::string& buffer) const
{
    const QByteArrayView path = encodedPath(i);
    const char* begin = path.data();
    const char* end = begin + path.size();
    while (end - begin > 1 && end[-1] == '/') {
        --end;
    }
    const char* start = end;
    while (start != begin && start[-1] != '/') {
        --start;
    }
    // Only ASCII digits and x take part in a token: an encoded byte is decoded when
    // it is one of them. Every other character only separates, so each run of them
    // is passed on as one byte that is neither; the name handed on is then short.
    // Bytes of UTF-8 sequences are never digits.
    constexpr char neither = '\x7f';
    buffer.resize(static_cast<std::size_t>(end - start));
    char* out = buffer.data();
    const char* first = out;
    for (const char* in = start; in != end; ++in) {
        char c = *in;
        if (c == '%' && end - in > 2) {
            const int high = hexValue(in[1]);
            const int low = hexValue(in[2]);
            if (high >= 0 && low >= 0) {
                c = static_cast<char>(high * 16 + low);
                in += 2;
            }
        }
        if (!dimensions::isDigit(c) && c != 'x' && c != 'X') {
            if (out != first && out[-1] == neither) {
                continue;
            }
            c = neither;
        }
        *out++ = c;
    }
    buffer.resize(static_cast<std::size_t>(out - first));
    return dimensions::findSizeToken(buffer);
}

QString UriList::localPath(qsizetype i) const
{
    // Decoded here rather than by QUrl, which keeps "//localhost" in a local path.
    return QUrl::fromPercentEncoding(encodedPath(i).toByteArray());
}

} // namespace documents
