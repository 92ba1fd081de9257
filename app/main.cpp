#include "mainwindow/startup.h"

int main(int argc, char *argv[])
{
    return runZelmora(argc, argv);
}
