#include "documents/documentlistbox.h"
#include "documents/mainwindowactions.h"
#include "tests/support/fakedesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using documents::DocumentListBox;

// The main window's controls, built the way the window builds them.
struct MainWindow
{
    QWidget window;
    DocumentListBox* list = new DocumentListBox(&window);
    QLineEdit* propx = new QLineEdit(&window);
    QLineEdit* propy = new QLineEdit(&window);
    QLabel* StaticText2 = new QLabel("x", &window);
    QLabel* percents = new QLabel("---\n---", &window);
    QPushButton* PushButton1 = new QPushButton("Calculate", &window);
    QPushButton* PushButton2 = new QPushButton("Open file", &window);
    FakeDesktop desktop;
    documents::MainWindowActions actions{
        {&window, list, propx, propy, StaticText2, percents, PushButton1, PushButton2},
        desktop,
        [] {}};

    MainWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{list, propx, StaticText2, propy,
                                                          PushButton1, PushButton2, percents}) {
            layout->addWidget(w);
        }
        window.show();
    }
};

class TestMainWindowActions : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_ui;

    // Drops one real file per token onto the list.
    void fill(const QStringList& tokens)
    {
        QList<QUrl> urls;
        for (const QString& token : tokens) {
            QFile file(m_dir.filePath(QString("doc %1 %2.pdf").arg(urls.size()).arg(token)));
            file.open(QIODevice::WriteOnly);
            urls << QUrl::fromLocalFile(file.fileName());
        }
        QMimeData drag;
        drag.setUrls(urls);
        m_ui->list->filename_list_DragEnter(drag);
        m_ui->list->filename_list_DropObject(drag);
        QCOMPARE(m_ui->list->count(), tokens.size());
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<MainWindow>();
        QVERIFY(QTest::qWaitForWindowActive(&m_ui->window));
    }
    void cleanup() { m_ui.reset(); }

    void keyFilter_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("expected");
        QTestEventList keys;
        keys.addKeyClicks("x7 0.a-X+9");
        QTest::newRow("digits pass; letters, x, space, signs, point refused")
            << "" << keys << "709";
        keys.clear();
        keys.addKeyClick(Qt::Key_Backspace);
        QTest::newRow("backspace") << "70" << keys << "7";
        keys.clear();
        keys.addKeyClick(Qt::Key_Left);
        keys.addKeyClicks("3");
        keys.addKeyClick(Qt::Key_Home);
        keys.addKeyClicks("4");
        QTest::newRow("arrows and home") << "12" << keys << "4132";
        keys.clear();
        keys.addKeyClick(Qt::Key_A, Qt::ControlModifier);
        keys.addKeyClicks("9");
        QTest::newRow("Ctrl+A then a digit") << "123" << keys << "9";
        keys.clear();
        keys.addKeyClick(Qt::Key_V, Qt::ControlModifier);
        QTest::newRow("Ctrl+V pastes unfiltered") << "1" << keys << "1a-b";
    }

    void keyFilter()
    {
        QFETCH(QString, initial);
        QFETCH(QTestEventList, keys);
        QFETCH(QString, expected);
        QApplication::clipboard()->setText("a-b");
        for (QLineEdit* field : {m_ui->propx, m_ui->propy}) {
            field->setText(initial);
            field->setFocus();
            keys.simulate(field);
            QCOMPARE(field->text(), expected);
        }
    }

    void deleteKey_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("delivering the delete character: refused") << QString(QChar(127)) << "12";
        QTest::newRow("delivering no character: deletes") << QString() << "2";
    }

    void deleteKey()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        for (QLineEdit* field : {m_ui->propx, m_ui->propy}) {
            field->setText("12");
            field->setCursorPosition(0);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, text);
            QApplication::sendEvent(field, &press);
            QCOMPARE(field->text(), expected);
        }
    }

    void swapOnClick_data()
    {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::newRow("two sizes") << "50"
                                   << "70";
        QTest::newRow("one empty") << "50"
                                   << "";
        QTest::newRow("kept exactly") << " 0a7"
                                      << "-3.5";
    }

    void swapOnClick()
    {
        QFETCH(QString, x);
        QFETCH(QString, y);
        fill({"50x70", "70x50"});
        m_ui->list->setCurrentRow(1);
        m_ui->percents->setText("prev");
        m_ui->propx->setText(x);
        m_ui->propy->setText(y);
        QTest::mouseClick(m_ui->StaticText2, Qt::LeftButton);
        QCOMPARE(m_ui->propx->text(), y);
        QCOMPARE(m_ui->propy->text(), x);
        QTest::mouseClick(m_ui->StaticText2, Qt::LeftButton);
        QCOMPARE(m_ui->propx->text(), x);
        QCOMPARE(m_ui->propy->text(), y);
        QCOMPARE(m_ui->percents->text(), "prev");
        QCOMPARE(m_ui->list->selectedItems(), QList<QListWidgetItem*>{m_ui->list->item(1)});
    }

    void calculate_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("shown");
        const QStringList four{"50x70", "21x30", "120x80", "14x20"};
        QTest::newRow("equal ratio, first of a tie") << four << "70"
                                                     << "100" << 0 << 1 << "333.33%\n333.33%";
        QTest::newRow("closest ratio") << QStringList{"30x40", "36x51"} << "50"
                                       << "70" << 0 << 1 << "138.89%\n137.25%";
        QTest::newRow("square target skips portrait rows") << QStringList{"40x60", "60x45"} << "50"
                                                           << "50" << 0 << 1 << "83.33%\n111.11%";
        QTest::newRow("zero width row never wins") << QStringList{"0x70", "30x42"} << "50"
                                                   << "70" << 0 << 1 << "166.67%\n166.67%";
        QTest::newRow("fraction in a field dropped") << four << "70.9"
                                                     << "100" << 0 << 1 << "333.33%\n333.33%";
        QTest::newRow("no row of the orientation") << QStringList{"120x80", "90x60"} << "60"
                                                   << "90" << 0 << -1 << "---\n---";
        QTest::newRow("negative target is searched") << QStringList{"50x70", "120x80"} << "-70"
                                                     << "-100" << 0 << 1 << "-58.33%\n-125%";
        QTest::newRow("difference at the ceiling") << QStringList{"1x3000000"} << "1"
                                                   << "2" << 0 << -1 << "---\n---";
        // Failed checks: the last row stays selected and "prev" stays shown.
        QTest::newRow("no rows") << QStringList{} << "70"
                                 << "100" << 1 << -1 << "prev";
        QTest::newRow("propx empty") << four << ""
                                     << "100" << 1 << 3 << "prev";
        QTest::newRow("propy empty") << four << "70"
                                     << "" << 1 << 3 << "prev";
        QTest::newRow("propx zero") << four << "000"
                                    << "100" << 1 << 3 << "prev";
        QTest::newRow("propx without number") << four << "abc"
                                              << "100" << 1 << 3 << "prev";
        QTest::newRow("propy only spaces") << four << "70"
                                           << "  " << 1 << 3 << "prev";
    }

    void calculate()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(int, beeps);
        QFETCH(int, selected);
        QFETCH(QString, shown);
        fill(rows);
        m_ui->list->setCurrentRow(int(rows.size()) - 1);
        m_ui->percents->setText("prev");
        m_ui->propx->setText(x);
        m_ui->propy->setText(y);
        m_ui->propx->setFocus();
        for (int press = 1; press <= 2; ++press) {
            QTest::mouseClick(m_ui->PushButton1, Qt::LeftButton);
            QCOMPARE(m_ui->desktop.beeps, press * beeps);
            QCOMPARE(m_ui->percents->text(), shown);
            QList<QListWidgetItem*> expected;
            if (selected >= 0) {
                expected << m_ui->list->item(selected);
            }
            QCOMPARE(m_ui->list->selectedItems(), expected);
            QCOMPARE(m_ui->list->hasFocus(), beeps == 0 && selected >= 0);
        }
    }
};

QTEST_MAIN(TestMainWindowActions)
#include "tst_mainwindowactions.moc"
