#include "documents/calculate.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

class TestCalculate : public QObject
{
    Q_OBJECT

private slots:
    // Text arriving in a field by typing (keys), pasting or dropping: only a size gets in.
    void fieldsTakeOnlySizes_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::newRow("digits typed, others refused") << "" << "x7 0.a-X+9" << "" << "709";
        QTest::newRow("letters pasted refused whole") << "1" << "" << "12ab" << "1";
        QTest::newRow("minus pasted refused") << "" << "" << "-60" << "";
        QTest::newRow("spaces around pasted digits dropped") << "" << "" << " 60\n" << "60";
        QTest::newRow("largest size") << "" << "" << "2147483647" << "2147483647";
        QTest::newRow("one more refused") << "" << "" << "2147483648" << "";
        QTest::newRow("twenty digits refused") << "5" << "" << "12345678901234567890" << "5";
        QTest::newRow("typing past the largest refused") << "214748364" << "79" << "" << "2147483647";
        QTest::newRow("leading zeros are not a bigger value")
            << "" << "" << "0000000000002147483647" << "0000000000002147483647";
        QTest::newRow("full-width digits refused") << "" << "" << "５０" << "";
    }

    void fieldsTakeOnlySizes()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QLineEdit field;
        field.setValidator(new documents::SizeValidator(&field));
        field.setText(before);
        field.end(false);
        QTest::keyClicks(&field, typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            field.paste();
        }
        QTEST(field.text(), "after");
    }

    void deleteKeyWorks()
    {
        QLineEdit field("1234");
        field.setValidator(new documents::SizeValidator(&field));
        field.setCursorPosition(1);
        QTest::keyClick(&field, Qt::Key_Delete);
        QCOMPARE(field.text(), QString("134"));
    }

    void calculate_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("outcome");
        const QStringList mixed{"50x70", "21x30", "120x80", "14x20"};
        QTest::newRow("same ratio, first of equals wins")
            << "70" << "100" << mixed << "row 1: 333.33%\n333.33%";
        QTest::newRow("closest") << "50" << "70" << QStringList{"30x40", "36x51"}
                                 << "row 1: 138.89%\n137.25%";
        QTest::newRow("square target takes landscape")
            << "50" << "50" << QStringList{"40x60", "60x50"} << "row 1: 83.33%\n100%";
        QTest::newRow("no row of that orientation")
            << "60" << "90" << QStringList{"120x80"} << "no match: ---\n---";
        QTest::newRow("no rows") << "70" << "100" << QStringList{} << "refused";
        QTest::newRow("width empty") << "" << "100" << mixed << "refused";
        QTest::newRow("height empty") << "70" << "" << mixed << "refused";
        QTest::newRow("width zero") << "000" << "100" << mixed << "refused";
        QTest::newRow("height zero") << "70" << "0" << mixed << "refused";
    }

    void calculate()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QStringList, rows);
        std::vector<std::string> tokens;
        for (const QString& row : rows)
            tokens.push_back(row.toStdString());
        const documents::Calculation result = documents::calculate(width, height, tokens);
        const QString outcome =
            !result.usable ? "refused"
            : result.match ? QString("row %1: %2").arg(result.match->row).arg(result.text)
                           : "no match: " + result.text;
        QTEST(outcome, "outcome");
    }

    void copyNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("copy");
        QTest::newRow("new size") << "poster 50x70.pdf" << 60 << 80 << "poster 60x80.pdf";
        QTest::newRow("same size") << "poster 50x70.pdf" << 50 << 70 << "Copy of poster 50x70.pdf";
        QTest::newRow("same size, other case")
            << "Flyer 5X7.pdf" << 5 << 7 << "Copy of Flyer 5X7.pdf";
        QTest::newRow("leading zeros make a new name") << "a 050x070.pdf" << 50 << 70 << "a 50x70.pdf";
        QTest::newRow("no token") << "notes.txt" << 1 << 2 << "";
        QTest::newRow("accents kept") << "Plakát 2x3 für Zoë.pdf" << 4 << 6 << "Plakát 4x6 für Zoë.pdf";
    }

    void copyNames()
    {
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(int, height);
        QTEST(documents::copyNameFor(name, width, height), "copy");
    }

    void sizeValueReadsEmptyAsNotGiven()
    {
        QCOMPARE(documents::sizeValue(""), 0);
        QCOMPARE(documents::sizeValue("0070"), 70);
    }
};

QTEST_MAIN(TestCalculate)
#include "tst_calculate.moc"
