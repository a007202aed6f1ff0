#include "app/filetypes1.h"

#include <QFileInfo>
#include <memory>

namespace {

const QString kAny = QStringLiteral("????");

std::unique_ptr<FileType> s_allFiles;

bool codeMatches(const QString& wanted, const QString& actual)
{
    return wanted == kAny || wanted == actual;
}

} // namespace

bool FileType::matches(const QString& fileName, const QString& macType,
                       const QString& macCreator) const
{
    if (!Extensions.isEmpty()) {
        const QString suffix = QFileInfo(fileName).suffix();
        if (suffix.isEmpty() || !Extensions.contains(suffix, Qt::CaseInsensitive))
            return false;
    }
    return codeMatches(MacType, macType) && codeMatches(MacCreator, macCreator);
}

namespace FileTypes1 {

void create()
{
    s_allFiles = std::make_unique<FileType>();
    s_allFiles->Name = QStringLiteral("ALL_FILES");
    s_allFiles->Extensions = {};
    s_allFiles->MacType = kAny;
    s_allFiles->MacCreator = kAny;
}

void release()
{
    s_allFiles.reset();
}

const FileType* ALL_FILES()
{
    return s_allFiles.get();
}

} // namespace FileTypes1
