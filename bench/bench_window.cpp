// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// Building and showing the main window, beside a plain window with as many widgets of the
// same kinds and the same pictures, built by hand; and the program's own start-up work.
// Run from the top folder, where the pictures are.
#include "benchmain.h"
#include "design/designstate.h"
#include "mainwindow/zelmora3.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QSplashScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include <sys/resource.h>

namespace {

// How many widgets of each kind the real window has.
QMap<QByteArray, int> windowWidgetKinds()
{
    designState = DesignState{};
    Zelmora3 window;
    QMap<QByteArray, int> kinds;
    for (QWidget *widget : window.findChildren<QWidget *>())
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_"))
            ++kinds[widget->metaObject()->className()];
    return kinds;
}

QWidget *makeWidget(const QByteArray &kind, QWidget *parent)
{
    if (kind == "QLabel")
        return new QLabel(QStringLiteral("Подпись:"), parent);
    if (kind == "QLineEdit")
        return new QLineEdit(QStringLiteral("20"), parent);
    if (kind == "QCheckBox")
        return new QCheckBox(QStringLiteral("флажок"), parent);
    if (kind == "QComboBox") {
        auto *box = new QComboBox(parent);
        box->addItems({QStringLiteral("НЧ (синус)"), QStringLiteral("Импульсный")});
        return box;
    }
    if (kind == "QSpinBox")
        return new QSpinBox(parent);
    if (kind == "QPushButton")
        return new QPushButton(QStringLiteral("Кнопка"), parent);
    if (kind == "QTableWidget")
        return new QTableWidget(2, 2, parent);
    if (kind == "QTextEdit")
        return new QTextEdit(parent);
    if (kind == "QGroupBox")
        return new QGroupBox(QStringLiteral("Группа"), parent);
    if (kind == "QSplitter")
        return new QSplitter(parent);
    return nullptr; // window parts (menus, bars) are built below
}

void plainWindow(const QMap<QByteArray, int> &kinds)
{
    QMainWindow window;
    // the same pictures the form and the start contents load
    window.setWindowIcon(QIcon(QStringLiteral("Zelmora.ico")));
    for (const char *path : {"img/P-core.png", "img/E-core.png", "img/O-core.png", "img/chashka.png",
                             "img/EL-core.png"})
        window.addAction(new QAction(QIcon(QString::fromLatin1(path)), QStringLiteral("Действие"), &window));
    auto *picture = new QLabel(&window);
    picture->setPixmap(QPixmap(QStringLiteral("img/E-core.png")));
    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    for (auto kind = kinds.begin(); kind != kinds.end(); ++kind)
        for (int i = 0; i < kind.value(); ++i)
            if (QWidget *widget = makeWidget(kind.key(), central))
                layout->addWidget(widget);
    window.setCentralWidget(central);
    auto *bar = new QMenuBar(&window);
    window.setMenuBar(bar);
    for (int m = 0; m < kinds.value("QMenu"); ++m) {
        QMenu *menu = bar->addMenu(QStringLiteral("Меню"));
        for (int a = 0; a < 4; ++a)
            menu->addAction(new QAction(QStringLiteral("Действие"), &window));
    }
    window.addToolBar(Qt::TopToolBarArea, new QToolBar(&window));
    window.setStatusBar(new QStatusBar(&window));
    window.resize(805, 524);
    window.show();
}

void BM_Zelmora3(benchmark::State &state)
{
    for (auto _ : state) {
        designState = DesignState{};
        Zelmora3 window;
        window.show();
    }
}
BENCHMARK(BM_Zelmora3)->Unit(benchmark::kMillisecond);

void BM_PlainWindowYardstick(benchmark::State &state)
{
    const QMap<QByteArray, int> kinds = windowWidgetKinds();
    int widgets = 0;
    for (int count : kinds)
        widgets += count;
    for (auto _ : state)
        plainWindow(kinds);
    state.counters["widgets"] = widgets;
}
BENCHMARK(BM_PlainWindowYardstick)->Unit(benchmark::kMillisecond);

// Everything start-up does besides the half-second splash wait.
void BM_StartupWork(benchmark::State &state)
{
    for (auto _ : state) {
        designState = DesignState{};
        QSplashScreen splash(QPixmap(QStringLiteral("splash.jpg")));
        splash.show();
        Zelmora3 window;
        window.show();
        splash.finish(&window);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_StartupWork)->Unit(benchmark::kMillisecond);

} // namespace

ZELMORA_BENCHMARK_MAIN()
