#pragma once

#include <QObject>
#include <QString>

// Watches a probe process's start-up from inside it. Installed as an application
// event filter, it waits for the first exposure of the top-level widget named
// `windowName`, then writes "shown" on stdout, lets the application idle for a
// moment, writes "rss <kilobytes>" with the resident memory of that moment and
// quits the event loop. The start-up benchmark reads these lines.
class StartupProbe : public QObject
{
    Q_OBJECT
public:
    explicit StartupProbe(QString windowName, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reportIdleMemory();

    QString m_windowName;
    bool m_shown = false;
};
