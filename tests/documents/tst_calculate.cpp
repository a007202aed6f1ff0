#include "documents/calculate.h"
#include "documents/copyname.h"

#include <QTest>

class TestCalculate : public QObject
{
    Q_OBJECT
    static inline const std::string Rows[] = {"10x20", "7x10"};

private slots:
    void calculate_data()
    {
        QTest::addColumn<int>("rows"); // how many of Rows
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("outcome"); // the row chosen, or -2 for an unusable input
        QTest::newRow("closest row") << 2 << QSize(70, 100) << 1;
        QTest::newRow("no rows") << 0 << QSize(70, 100) << -2;
        QTest::newRow("width 0") << 2 << QSize(0, 100) << -2;
        QTest::newRow("height 0") << 2 << QSize(70, 0) << -2;
    }
    void calculate()
    {
        QFETCH(int, rows);
        QFETCH(QSize, size);
        auto r = documents::calculate(size.width(), size.height(), std::span(Rows).first(rows));
        QTEST(r.usable ? r.match.value().row : -2, "outcome");
    }

    void copyNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("copy"); // for 60x80
        for (const auto& [name, copy] : {
                 std::pair{"poster 50x70.pdf", "poster 60x80.pdf"},
                 {"poster 60x80.pdf", "Copy of poster 60x80.pdf"},
                 {"Flyer 60X80.pdf", "Copy of Flyer 60X80.pdf"}, // case ignored
                 {"Plakát 2x3 für Zoë.pdf", "Plakát 60x80 für Zoë.pdf"},
             })
            QTest::newRow(name) << QString(name) << QString(copy);
    }
    void copyNames()
    {
        QFETCH(QString, name);
        QTEST(documents::copyNameFor(name, 60, 80), "copy");
    }
};

QTEST_APPLESS_MAIN(TestCalculate)
#include "tst_calculate.moc"
