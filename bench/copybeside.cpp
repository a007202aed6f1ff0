// bench_copybeside SOURCE NEW-NAME: copy mode's copy as one process, so that hyperfine can
// time it beside cp followed by sync, which together do the same work.

#include "platform/copybeside.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: bench_copybeside SOURCE NEW-NAME\n", stderr);
        return 2;
    }
    const platform::CopyResult result = platform::copyBeside(arguments[1], arguments[2]);
    if (result.status != platform::CopyResult::Status::Copied) {
        std::fprintf(stderr, "not copied: %s\n", qPrintable(result.reason));
        return 1;
    }
    return 0;
}
