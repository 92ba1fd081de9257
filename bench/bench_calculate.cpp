// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// The calculation: the plain pass, a full Calculate click beside a yardstick that only
// writes the same cells and log lines, and how a click's cost grows with the log.
#include "benchmain.h"
#include "calc/calclog.h"
#include "calc/lfpass.h"
#include "design/designstate.h"
#include "mainwindow/zelmora3.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextEdit>

#include <memory>

namespace {

LfPassInput passInput(int windings)
{
    LfPassInput input;
    input.now = QDateTime::currentDateTime();
    input.efficiencyText = QStringLiteral("0.91");
    input.voltageTexts << QStringLiteral("220");
    input.currentTexts << QString();
    for (int i = 1; i < windings; ++i) {
        input.voltageTexts << QString::number(i % 30 + 1);
        input.currentTexts << QStringLiteral("0.05");
    }
    input.densityText = QStringLiteral("auto");
    input.plateText = QStringLiteral("0.2");
    input.inductionText = QStringLiteral("1.4");
    return input;
}

DesignState passState(int windings)
{
    DesignState state;
    state.frequency = 50.0f;
    state.coreY = 40.0f;
    state.coreY1 = 40.0f;
    state.coreB = 40.0f;
    state.coreH = 80.0f;
    state.windingCount = windings;
    return state;
}

void BM_LfPass(benchmark::State &state)
{
    const int windings = int(state.range(0));
    const LfPassInput input = passInput(windings);
    DesignState design = passState(windings);
    for (auto _ : state) {
        LfPassResult result = runLfPass(design, input);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_LfPass)->Arg(2)->Arg(99)->Unit(benchmark::kMicrosecond);

// A shown window with `windings` filled-in rows.
std::unique_ptr<Zelmora3> filledWindow(int windings)
{
    designState = DesignState{};
    auto window = std::make_unique<Zelmora3>();
    window->show();
    window->findChild<QSpinBox *>("spinBox")->setValue(windings);
    auto *table = window->findChild<QTableWidget *>("tableWidget");
    const LfPassInput input = passInput(windings);
    for (int row = 1; row < windings; ++row) {
        table->item(row, 0)->setText(input.voltageTexts.at(row));
        table->item(row, 1)->setText(input.currentTexts.at(row));
    }
    for (const char *name : {"lineEdit_8", "lineEdit_9", "lineEdit_10", "lineEdit_13"}) {
        auto *field = window->findChild<QLineEdit *>(name);
        field->setText(name == QByteArray("lineEdit_13") ? "80" : "40");
        emit field->editingFinished();
    }
    return window;
}

void BM_CalculateClick(benchmark::State &state)
{
    const int windings = int(state.range(0));
    auto window = filledWindow(windings);
    auto *button = window->findChild<QPushButton *>("pushButton");
    auto *log = window->findChild<QTextEdit *>("textEdit");
    button->click();
    int lines = log->document()->blockCount();
    for (auto _ : state) {
        state.PauseTiming();
        log->clear(); // every click starts from the same log
        state.ResumeTiming();
        button->click();
    }
    state.counters["log_lines"] = lines;
}
BENCHMARK(BM_CalculateClick)->Arg(99)->Unit(benchmark::kMillisecond);

// Writes what a 99-winding click writes, without the calculation or the reading.
void writeLikeAClick(Zelmora3 *window, bool oneEditBlock)
{
    auto *table = window->findChild<QTableWidget *>("tableWidget");
    auto *log = window->findChild<QTextEdit *>("textEdit");
    QTextCursor batch(log->document());
    if (oneEditBlock)
        batch.beginEditBlock();
    appendLog(log, LogColour::Grey, QStringLiteral("----------------<06.12.26 06:13:06>---------------"));
    table->setColumnCount(3);
    table->setHorizontalHeaderItem(2, new QTableWidgetItem(QStringLiteral("Мощность, Вт")));
    for (int row = 1; row < table->rowCount(); ++row)
        table->setItem(row, 2, new QTableWidgetItem(QStringLiteral("0.5")));
    appendLog(log, LogColour::Black, QStringLiteral("Общая мощность вторичных обмоток = 77.5 Вт."));
    table->setItem(0, 2, new QTableWidgetItem(QStringLiteral("85.16")));
    table->setItem(0, 1, new QTableWidgetItem(QStringLiteral("0.39")));
    appendLog(log, LogColour::Green, QStringLiteral("Расчётное произведение Sстали*Sокна : 42.5 см^4"));
    table->setColumnCount(5);
    table->setHorizontalHeaderItem(3, new QTableWidgetItem(QStringLiteral("Коли. витков")));
    table->setHorizontalHeaderItem(4, new QTableWidgetItem(QStringLiteral("Диам. пров., мм")));
    appendLog(log, LogColour::Black,
              QStringLiteral("Расчитано для параметров: к.п.д.=0.91, f=50 Гц, Sст=16 см^2, Sок=32 см^2, "
                             "Bm=1.4 Тл, j=5.96 А/мм^2."));
    for (int row = 0; row < table->rowCount(); ++row) {
        table->setItem(row, 3, new QTableWidgetItem(QStringLiteral("442.4")));
        table->setItem(row, 4, new QTableWidgetItem(QStringLiteral("0.1")));
        appendLog(log, LogColour::Black,
                  QStringLiteral("%1 обмотка: u=12 В, i=0.05 А, n=442.4, d=0.1 мм.").arg(row + 1));
    }
    if (oneEditBlock)
        batch.endEditBlock();
}

void BM_ClickYardstick(benchmark::State &state)
{
    auto window = filledWindow(99);
    auto *log = window->findChild<QTextEdit *>("textEdit");
    const bool oneEditBlock = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        log->clear();
        state.ResumeTiming();
        writeLikeAClick(window.get(), oneEditBlock);
    }
    state.SetLabel(oneEditBlock ? "one edit block" : "an edit per line");
}
BENCHMARK(BM_ClickYardstick)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LogOnly(benchmark::State &state)
{
    auto window = filledWindow(99);
    auto *log = window->findChild<QTextEdit *>("textEdit");
    for (auto _ : state) {
        state.PauseTiming();
        log->clear();
        state.ResumeTiming();
        QTextCursor batch(log->document());
        batch.beginEditBlock();
        for (int row = 0; row < 104; ++row)
            appendLog(log, LogColour::Black, QStringLiteral("%1 обмотка: u=12 В, i=0.05 А, n=442.4, d=0.1 мм.").arg(row + 1));
        batch.endEditBlock();
    }
}
BENCHMARK(BM_LogOnly)->Unit(benchmark::kMillisecond);

void BM_TableOnly(benchmark::State &state)
{
    auto window = filledWindow(99);
    auto *table = window->findChild<QTableWidget *>("tableWidget");
    for (auto _ : state) {
        table->setColumnCount(3);
        for (int row = 0; row < table->rowCount(); ++row)
            table->setItem(row, 2, new QTableWidgetItem(QStringLiteral("0.5")));
        table->setColumnCount(5);
        for (int row = 0; row < table->rowCount(); ++row) {
            table->setItem(row, 3, new QTableWidgetItem(QStringLiteral("442.4")));
            table->setItem(row, 4, new QTableWidgetItem(QStringLiteral("0.1")));
        }
    }
}
BENCHMARK(BM_TableOnly)->Unit(benchmark::kMillisecond);

// The log only grows: compare the 1000th consecutive click with the first.
void BM_ClickGrowth(benchmark::State &state)
{
    for (auto _ : state) {
        auto window = filledWindow(99);
        auto *button = window->findChild<QPushButton *>("pushButton");
        QElapsedTimer timer;
        double first = 0, last = 0;
        for (int click = 1; click <= 1000; ++click) {
            timer.start();
            button->click();
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            if (click == 1)
                first = ms;
            if (click == 1000)
                last = ms;
        }
        state.counters["first_ms"] = first;
        state.counters["click1000_ms"] = last;
        state.counters["ratio"] = last / first;
    }
}
BENCHMARK(BM_ClickGrowth)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

ZELMORA_BENCHMARK_MAIN()
