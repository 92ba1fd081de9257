// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "mainwindow/startup.h"

#include "design/commandline.h"
#include "design/documentname.h"
#include "mainwindow/formlook.h"
#include "mainwindow/pictures.h"
#include "mainwindow/zelmora3.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QSplashScreen>
#include <QThread>

int runZelmora(int argc, char **argv)
{
    if (const std::optional<QString> first = firstArgument(argc, argv))
        documentName = documentNameFromArgument(*first, documentName);

    // Read before QApplication takes -style out of the arguments. A style set for the whole
    // desktop (QT_STYLE_OVERRIDE, a platform theme's) gives way to the form's, as the
    // desktop's fonts do.
    const bool userStyle = styleChosen(argc, argv);
    QApplication application(argc, argv);
    if (!userStyle)
        useFormStyle();
    // The launcher's id, so that a taskbar matches the window to its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.zelmora"));
    QApplication::setFont(formFont());
    QSplashScreen splash(loadPicture(QStringLiteral("splash.jpg"), application.devicePixelRatio()));
    splash.show();
    application.processEvents(); // let the splash paint once before the window is built

    QElapsedTimer stopwatch;
    stopwatch.start();
    Zelmora3 window;
    // Keep the splash up for at least half a second, without running the event loop;
    // the stopwatch is polled about every millisecond rather than in a spinning loop.
    while (stopwatch.elapsed() < 500)
        QThread::msleep(1);
    // Show the window first: finishing the splash waits for the window to appear.
    window.show();
    splash.finish(&window);
    return application.exec();
}
