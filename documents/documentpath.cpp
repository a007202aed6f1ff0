#include "documents/documentpath.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QUrl>

namespace documents {

QString documentPath(const QByteArray& pathBytes)
{
    // A leading byte order mark is part of the name, not a hint to drop.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString path = decoder(pathBytes);
    // Anything the decoder replaced or dropped fails to come back as the same bytes.
    if (pathBytes.contains('\0') || path.toUtf8() != pathBytes)
        return {};
    return path;
}

QByteArray localPathBytes(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    // Some applications name this machine explicitly.
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return {};
    // The encoded path still holds the bytes as sent; the decoded one would have replaced
    // those that aren't UTF-8.
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return bytes.startsWith('/') ? bytes : QByteArray();
}

QString RealFolders::withRealFolder(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString given = path.left(slash + 1);
    auto folder = m_resolved.constFind(given);
    if (folder == m_resolved.cend()) {
        QString real = QFileInfo(given).canonicalFilePath();
        if (!real.isEmpty() && !real.endsWith(QLatin1Char('/')))
            real += QLatin1Char('/');
        folder = m_resolved.insert(given, real);
    }
    return folder->isEmpty() ? path : *folder + path.sliced(slash + 1);
}

} // namespace documents
