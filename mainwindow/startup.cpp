#include "mainwindow/startup.h"

#include "design/documentname.h"
#include "mainwindow/zelmora3.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QSplashScreen>

int runZelmora(int argc, char **argv)
{
    if (argc > 1)
        documentName = documentNameFromArgument(QByteArray(argv[1]), documentName);

    QApplication application(argc, argv);
    QSplashScreen splash(QPixmap(QStringLiteral("splash.jpg")));
    splash.show();
    application.processEvents(); // let the splash paint once before the window is built

    QElapsedTimer stopwatch;
    stopwatch.start();
    Zelmora3 window;
    // Keep the splash up for at least half a second, without running the event loop.
    while (stopwatch.elapsed() < 500) {
    }
    // Show the window first: finishing the splash waits for the window to appear.
    window.show();
    splash.finish(&window);
    return application.exec();
}
