// The app's real start-up, watched until its main window is shown.
#include "app/startup.h"
#include "bench/startupprobe.h"

int main(int argc, char** argv)
{
    StartupProbe probe(QStringLiteral("Window1"));
    return pallisto::runApplication(argc, argv, &probe);
}
