#include <QImage>
#include <QTest>

// The pictures the app loads at run time: each must be in the resources under the
// name the windows ask for, at the size the layout expects, and keep its transparency.
class tst_resources : public QObject
{
    Q_OBJECT
private slots:
    void picture_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("about picture") << ":/pallisto/about.png" << QSize(149, 20);
        QTest::newRow("about picture at 2x") << ":/pallisto/about@2x.png" << QSize(298, 40);
        QTest::newRow("icon 48") << ":/pallisto/icons/pallisto-48.png" << QSize(48, 48);
        QTest::newRow("icon 128") << ":/pallisto/icons/pallisto-128.png" << QSize(128, 128);
        QTest::newRow("icon 256") << ":/pallisto/icons/pallisto-256.png" << QSize(256, 256);
    }
    void picture()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path + " does not load"));
        QCOMPARE(image.size(), size);
        QVERIFY(image.hasAlphaChannel());
        // The corners lie outside the drawing, so a picture flattened onto a
        // background shows there.
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, 0)), 0);
    }
};

QTEST_GUILESS_MAIN(tst_resources)
#include "tst_resources.moc"
