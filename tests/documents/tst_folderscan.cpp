#include "documents/folderscan.h"

#include <QTest>

class FolderScanTest : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "tst_folderscan.moc"
