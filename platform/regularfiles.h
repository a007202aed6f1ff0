#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <optional>

namespace platform {

// The names among `names` (bare names, as bytes) that are regular files in `folder`, or links to
// one: what a stat() of each would tell; the views returned are those of `names`. The folder is
// read once with the types it lists, and only links and entries of unknown type are looked up one
// by one, where a lookup per name costs a system call each. Nothing when it can't be read.
std::optional<QSet<QByteArrayView>> regularFilesAmong(const QByteArray& folder,
                                                      const QSet<QByteArrayView>& names);

} // namespace platform
