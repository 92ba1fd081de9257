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

#ifdef Q_OS_WASM
#include <QTimer>

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

namespace {

// Calls a function from the event loop after a widget's first paint. In a browser a window
// is painted in an animation frame and put on the page in the same frame, so the call comes
// once the browser has shown the widget.
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget *widget, std::function<void()> then)
        : QObject(widget), then(std::move(then))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] {
                then();
                deleteLater();
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> then;
};

} // namespace
#endif

int runZelmora(int argc, char **argv)
{
    if (const std::optional<QString> first = firstArgument(argc, argv))
        documentName = documentNameFromArgument(*first, documentName);

    // Read before QApplication takes -style out of the arguments. A style set for the whole
    // desktop (QT_STYLE_OVERRIDE, a platform theme's) gives way to the form's, as the
    // desktop's fonts do.
    const bool userStyle = styleChosen(argc, argv);
#ifdef Q_OS_WIN
    // Windows text as the form was drawn and tested with: through GDI's font database,
    // which Qt 6.8 gave up by default for DirectWrite's (other metrics, other fallbacks),
    // unless the platform's options are chosen (QT_QPA_PLATFORM, or -platform, which
    // outweighs it). Not left for the programs this one starts.
    const bool formTextEngine = !qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    if (formTextEngine)
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=gdi");
    QApplication application(argc, argv);
    if (formTextEngine)
        qunsetenv("QT_QPA_PLATFORM");
#else
    QApplication application(argc, argv);
#endif
    if (!userStyle)
        useFormStyle();
    // The launcher's id, so that a taskbar matches the window to its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.zelmora"));
#ifdef Q_OS_WASM
    addFormFonts();
#endif
    QApplication::setFont(formFont());
    QSplashScreen splash(loadPicture(QStringLiteral("splash.jpg"), application.devicePixelRatio()));
    splash.show();
#ifdef Q_OS_WASM
    // A browser draws the page only between the program's turns, and the page's one thread
    // must not sleep. exec() hands control to the browser, which draws the splash; once it
    // is on the page the window is built, and a timer shows it when the splash has been up
    // for half a second. exec() never returns here: what this function holds stays for the
    // page's life.
    QElapsedTimer stopwatch;
    std::unique_ptr<Zelmora3> window;
    const auto buildWindow = [&] {
        stopwatch.start();
        window = std::make_unique<Zelmora3>();
        const qint64 left = std::max<qint64>(0, 500 - stopwatch.elapsed());
        QTimer::singleShot(std::chrono::milliseconds(left), &splash, [&] {
            window->show();
            splash.finish(window.get());
        });
    };
    // Without its picture the splash is empty and has nothing to paint.
    if (splash.pixmap().isNull())
        QMetaObject::invokeMethod(&splash, buildWindow, Qt::QueuedConnection);
    else
        new AfterFirstPaint(&splash, buildWindow);
    // Nor does exec() return when the last window has closed. The runtime, which nothing
    // else holds alive between the browser's events, lives until the program quits and is
    // then ended, which tells the page (its loader's onExit). Queued, so that it comes once
    // the quit is over, outside any nested event loop. The program quits only when its
    // last window has closed, with the code 0.
    emscripten_runtime_keepalive_push();
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &application,
                     [] { emscripten_force_exit(0); }, Qt::QueuedConnection);
    return application.exec();
#else
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
#endif
}
