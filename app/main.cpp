#include "app/startup.h"

int main(int argc, char** argv)
{
    return pallisto::runApplication(argc, argv);
}
