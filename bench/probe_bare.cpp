// The baseline: the least a Qt Widgets app does to show a main window of the
// same size as the app's. With the argument "text" the window shows one line of
// text, which makes Qt load its font database as every app with text must.
#include "bench/startupprobe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    StartupProbe probe(QStringLiteral("bare"));
    app.installEventFilter(&probe);
    QMainWindow window;
    window.setObjectName(QStringLiteral("bare"));
    window.resize(220, 519);
    if (argc > 1 && std::strcmp(argv[1], "text") == 0)
        window.setCentralWidget(new QLabel(QStringLiteral("Pallisto")));
    window.show();
    return QApplication::exec();
}
