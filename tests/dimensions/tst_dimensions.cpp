#include "dimensions/dimensions.h"

#include <QTest>
#include <cmath>

using namespace dimensions;

class TestDimensions : public QObject
{
    Q_OBJECT
    // One data row; texts go in as QString.
    template <typename... T> static void row(const char* name, T... cells)
    {
        (QTest::newRow(name) << ... << cells);
    }
    static QString text(const std::string& s) { return QString::fromStdString(s); }

private slots:
    // The first token, the name for 6x8, and the numbers of the text as a token's halves.
    void names_data()
    {
        for (const char* column : {"name", "token", "renamed"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        row("plain", "poster 50x70.pdf", "50x70", "poster 6x8.pdf", 0, 70);
        row("X kept, height after the last", "90X10x3", "90x10", "6X8x3", 90, 3);
        row("first of two, zeros kept", "0050x0070 3x4", "0050x0070", "6x8 3x4", 50, 4);
        row("a point ends a run", "1.5x2.9", "5x2", "1.6x8.9", 1, 2);
        row("two separators", "5x7x9", "5x7", "6x8x9", 5, 9);
        row("slash, colon, nothing aren't digits", "/x1 1:x1 x5 2x:", "", "", 0, 0);
        row("look-alikes", "5×7 ５x7 é2x3é", "2x3", "5×7 ５x7 é6x8é", 5, 3);
        row("spaces and a sign skipped", " \t+0042", "", "", 42, 42);
        row("a newline is no space, two signs no number", "\n42x--7", "", "", 0, 0);
        row("fractions toward zero", "-70.9x-70.9", "", "", -70, -70);
        row("just below the next whole", "6.99999999999999999", "", "", 7, 7);
        row("no exponent, no infinity", "1e3xinf", "", "", 1, 0);
        row("past 2^64", "20000000000000000000x-20000000000000000000", "", "", INT32_MAX,
            INT32_MIN);
        row("past double, tiny", QString(400, '7') + ".5x." + QString(400, '0') + "1", "", "",
            INT32_MAX, 0);
    }
    void names()
    {
        QFETCH(QString, name);
        const std::string bytes = name.toStdString();
        QTEST(text(findSizeToken(bytes)), "token");
        QTEST(text(renamedForSize(bytes, 6, 8)), "renamed");
        QTEST(widthOf(bytes), "width");
        QTEST(heightOf(bytes), "height");
    }

    void nameEndsWhereItsTextEnds() // "name 5x" cut from a longer text holds no token
    {
        const std::string_view text = "name 5x5";
        QCOMPARE(findSizeToken(text.substr(0, 7)) + renamedForSize(text.substr(0, 7), 6, 8), "");
    }

    void percents_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("number");
        row("no trailing zero, zero before the point", 0.50, "0.5");
        row("exact half away from zero", -1234.875, "-1234.88");
        row("stored just below a half", 1.005, "1");
        row("carry into the whole part", 99.995, "100");
        row("never -0", -0.001, "0");
        row("large exact half", 35184372088832.125, "35184372088832.13");
        row("infinity", -HUGE_VAL, "-inf");
        row("not a number", -std::nan(""), "nan");
    }
    void percents()
    {
        QFETCH(double, value);
        QTEST(text(percentNumber(value)), "number");
    }

    void closestRatio_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("match"); // row, horizontal and vertical percent
        row("first of equals", "50x70 21x30 14x20", 70, 100, "1 333.33 333.33");
        row("closest, not first", "30x40 36x51", 50, 70, "1 138.89 137.25");
        row("square target is landscape", "40x41 60x50", 50, 50, "1 83.33 100");
        row("square row is landscape", "40x40", 50, 51, "none");
        row("zero height skipped", "70x0 40x40", 2, 1, "1 5 2.5");
        row("under the cut-off", "1x1000002 1x1000001", 1, 2, "1 100 0");
        row("zero width", "50x70", 0, 70, "none");
        row("zero height", "70x50", 70, 0, "none");
        row("negative width", "50x70", -70, 100, "0 -140 142.86");
    }
    void closestRatio()
    {
        QFETCH(QString, rows);
        QFETCH(int, width);
        QFETCH(int, height);
        std::vector<std::string> list;
        for (const QString& row : rows.split(' '))
            list.push_back(row.toStdString());
        const std::optional<Match> m = findClosestRatio(list, width, height);
        QTEST(m ? QString::number(m->row) + ' ' + text(percentNumber(m->horizontal)) + ' ' +
                      text(percentNumber(m->vertical))
                : "none",
              "match");
    }
};

QTEST_APPLESS_MAIN(TestDimensions)
#include "tst_dimensions.moc"
