#include "platform/regularfiles.h"

#include <dirent.h>
#include <sys/stat.h>

namespace platform {

std::optional<QSet<QByteArrayView>> regularFilesAmong(const QByteArray& folder,
                                                      const QSet<QByteArrayView>& names)
{
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr)
        return std::nullopt;
    QSet<QByteArrayView> regular;
    while (const dirent* entry = ::readdir(dir)) {
        const auto wanted = names.constFind(QByteArrayView(entry->d_name));
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
