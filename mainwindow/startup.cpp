#include "mainwindow/startup.h"

#include "design/documentname.h"
#include "mainwindow/zelmora3.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QPixmap>
#include <QSplashScreen>

int runZelmora(int argc, char **argv)
{
    if (argc > 1)
        documentName = documentNameFromArgument(QByteArray(argv[1]), documentName);

    QApplication application(argc, argv);
    // The core panel places its captions at fixed pixel positions drawn for a compact 8-point
    // dialog font; the usual wide desktop fonts would cut them off.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
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
