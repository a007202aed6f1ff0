// The least a Qt Widgets program does to show a window with one line of text, which makes Qt
// load its fonts as every program with text must. Left at its own size: pallisto's window
// is sized by its layout, and a few hundred pixels more or less do not change the time.

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Pallisto"));
    label.show();
    return QApplication::exec();
}
