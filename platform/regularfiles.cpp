#include "platform/regularfiles.h"

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace platform {

std::optional<QSet<QByteArray>> regularFilesAmong(const QByteArray& folder,
                                                  const QSet<QByteArray>& names)
{
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr)
        return std::nullopt;
    QSet<QByteArray> regular;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name = QByteArray::fromRawData(entry->d_name, qsizetype(strlen(entry->d_name)));
        const auto wanted = names.constFind(name);
        if (wanted == names.cend())
            continue;
        struct stat target;
        const bool file = entry->d_type == DT_REG
            || ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
                && ::fstatat(::dirfd(dir), entry->d_name, &target, 0) == 0
                && S_ISREG(target.st_mode));
        if (file)
            regular.insert(*wanted);
    }
    ::closedir(dir);
    return regular;
}

} // namespace platform
