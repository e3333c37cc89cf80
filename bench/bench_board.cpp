// SPDX-License-Identifier: GPL-3.0-or-later
// What the student waits for, each against one full repaint of the exercise
// window measured in the same run: one drag move (pointer event to finished
// repaint), and the Restart and Check commands on a board whose twenty slots
// are all taken. Prints the times and then the ratios.

#include "content/Fonts.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/RandomSource.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>

namespace {

Form1* window = nullptr;

// Counts the board's paints, so that a benchmark can tell that the repaint it
// waits for really happened.
class PaintCounter : public QObject {
public:
    int paints = 0;
    qint64 lastArea = 0; // pixels the last paint covered

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            lastArea = 0;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                lastArea += qint64(r.width()) * r.height();
        }
        return QObject::eventFilter(watched, event);
    }
};
PaintCounter* paintCounter = nullptr;

// Paints whatever the last event left to repaint, now.
void flushRepaints() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QCoreApplication::processEvents();
}

QPoint windowPointAtTwips(float x, float y) {
    const TwipScale& s = window->scale();
    return window->boardView()->mapTo(window, QPoint(s.px(x), s.px(y)));
}

void sendMouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QWindow* w = window->windowHandle();
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Every slot gets a card, the odd slots a wrong one, so that Check both keeps
// cards and sends cards home.
void fillBoard() {
    const board::Board& b = window->board();
    for (int16_t f = 0; f < board::FormulaCount; ++f) {
        const int16_t name =
            f % 2 ? int16_t((b.Slots()[f].Correct + 1) % board::NameCount) : b.Slots()[f].Correct;
        window->boardView()->perform([&](board::Exercise& e) {
            e.ImgName_MouseDown(b.frontCardAtHome(name), board::Button::Left);
            e.ImgSyntactic_DragDrop(f);
        });
    }
    flushRepaints();
}

// How much of the board the last repaint covered, in the report beside the time.
void reportPaint(benchmark::State& state, int paintsBefore) {
    state.counters["board_px"] = double(paintCounter->lastArea);
    state.counters["paints"] = benchmark::Counter(double(paintCounter->paints - paintsBefore),
                                                  benchmark::Counter::kAvgIterations);
}

void FullRepaint(benchmark::State& state) {
    const int paintsBefore = paintCounter->paints;
    for (auto _ : state) {
        // The board paints itself opaquely, so the window's own repaint leaves
        // it out; a full repaint is both.
        window->repaint();
        window->boardView()->repaint();
        QCoreApplication::processEvents();
    }
    reportPaint(state, paintsBefore);
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMicrosecond);

// Qt's fixed cost of one repaint of the board, whatever is drawn: a single
// pixel in a corner that no card or formula covers.
void PixelRepaint(benchmark::State& state) {
    const int paintsBefore = paintCounter->paints;
    for (auto _ : state) {
        window->boardView()->repaint(QRect(window->boardView()->width() - 2, 2, 1, 1));
        QCoreApplication::processEvents();
    }
    reportPaint(state, paintsBefore);
}
BENCHMARK(PixelRepaint)->Unit(benchmark::kMicrosecond);

void DragMove(benchmark::State& state) {
    window->mnuRestart_Click();
    flushRepaints();
    // Press on the front card of the column's first row and move over the
    // formulas, away from the edges, between two points.
    const board::Board& b = window->board();
    int16_t card = board::NoCard;
    for (int16_t name = 0; name < board::NameCount && card == board::NoCard; ++name)
        if (b.HomeRow()[name] == 0)
            card = b.frontCardAtHome(name);
    const board::TwipRect& r = b.ImgName()[card];
    sendMouse(QEvent::MouseButtonPress, windowPointAtTwips(r.Left + 100, r.Top + 100),
              Qt::LeftButton, Qt::LeftButton);
    if (!b.dragging()) {
        state.SkipWithError("the press did not start a drag");
        return;
    }
    const QPoint a = windowPointAtTwips(3000, 3000);
    const QPoint c = windowPointAtTwips(6000, 5000);
    bool there = false;
    const int paintsBefore = paintCounter->paints;
    for (auto _ : state) {
        there = !there;
        sendMouse(QEvent::MouseMove, there ? c : a, Qt::NoButton, Qt::LeftButton);
        flushRepaints();
    }
    if (paintCounter->paints - paintsBefore < int(state.iterations()))
        state.SkipWithError("a move was not repainted");
    reportPaint(state, paintsBefore);
    sendMouse(QEvent::MouseButtonRelease, a, Qt::LeftButton, Qt::NoButton);
    flushRepaints();
}
BENCHMARK(DragMove)->Unit(benchmark::kMicrosecond);

// A command on a full board: the handler alone, or with the repaint it causes.
template <void (Form1::*Command)()> void CommandOnFullBoard(benchmark::State& state) {
    const bool withRepaint = state.range(0) != 0;
    const int paintsBefore = paintCounter->paints;
    for (auto _ : state) {
        state.PauseTiming();
        window->mnuRestart_Click();
        fillBoard();
        state.ResumeTiming();
        (window->*Command)();
        if (withRepaint)
            flushRepaints();
    }
    flushRepaints();
    if (withRepaint)
        reportPaint(state, paintsBefore);
}
BENCHMARK(CommandOnFullBoard<&Form1::mnuRestart_Click>)
    ->Name("Restart")
    ->ArgName("repaint")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(CommandOnFullBoard<&Form1::mnuCheck_Click>)
    ->Name("Check")
    ->ArgName("repaint")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

// Keeps every result so that the ratios can be printed at the end. CPU time,
// not wall time: the work is single-threaded and the machine may be shared.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                seconds[run.benchmark_name()] = run.cpu_accumulated_time / double(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
};

void printRatio(const RatioReporter& r, const char* label, const std::string& name,
                const char* goal, const std::string& baseline = "FullRepaint") {
    const auto it = r.seconds.find(name);
    const auto full = r.seconds.find(baseline);
    if (it == r.seconds.end() || full == r.seconds.end()) {
        std::printf("  %-34s not measured\n", label);
        return;
    }
    std::printf("  %-34s %8.1f us / %8.1f us = %.3f (goal %s)\n", label, it->second * 1e6,
                full->second * 1e6, it->second / full->second, goal);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", OFFSCREEN_FULL_HD, 0);
    setenv("QT_QPA_OFFSCREEN_NO_GLX", "1", 0);
    QApplication app(argc, argv);
    content::registerBundledFonts();
    benchmark::Initialize(&argc, argv);

    Form1 form(std::make_unique<board::RandomSource>(5u));
    window = &form;
    PaintCounter counter;
    paintCounter = &counter;
    form.boardView()->installEventFilter(&counter);
    form.show();
    flushRepaints();

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time against one full repaint of the exercise window\n");
    printRatio(reporter, "one drag move", "DragMove", "<= 0.05");
    printRatio(reporter, "Qt's repaint of a single pixel", "PixelRepaint", "-");
    printRatio(reporter, "Restart, handler", "Restart/repaint:0", "<= 1");
    printRatio(reporter, "Restart, handler and its repaint", "Restart/repaint:1", "-");
    printRatio(reporter, "Check, handler", "Check/repaint:0", "<= 1");
    printRatio(reporter, "Check, handler and its repaint", "Check/repaint:1", "-");
    std::printf("\nCPU time against Qt's own repaint of a single pixel\n");
    printRatio(reporter, "one drag move", "DragMove", "<= 2", "PixelRepaint");
    benchmark::Shutdown();
    return 0;
}
