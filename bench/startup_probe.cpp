// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up cost of the exercise window against a plain Qt window of the same
// size with the same menu bar: time from main() to the first finished paint,
// and peak resident memory. Each run is a fresh process (this program started
// again with --child), and the two kinds alternate so that both see the same
// machine load and the same warm file cache.
//
// A third kind opens a set of twenty compounds from a file (the teachers'
// template) the way the program's main() does, against the built-in exercise.
//
//   startup_probe [runs]            prints medians and the two ratios
//   startup_probe --child exercise  one start of the exercise window
//   startup_probe --child set       one start with the template set opened
//   startup_probe --child empty     one start of the empty window

#include "content/Fonts.h"
#include "exercise/Form1.h"
#include "exercise/rules/Board.h"
#include "shared/TwipScale.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStringList>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Sees every event delivered; the first time a top-level window's expose or
// update request has been handled after one of its widgets painted, the first
// frame is in the window's backing store and flushed.
class ProbeApplication : public QApplication {
public:
    ProbeApplication(int& argc, char** argv, Clock::time_point start)
        : QApplication(argc, argv), start_(start) {}

    bool notify(QObject* receiver, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Paint)
            painted_ = true;
        const bool result = QApplication::notify(receiver, event);
        if (!done_ && painted_ && qobject_cast<QWindow*>(receiver) &&
            (type == QEvent::Expose || type == QEvent::UpdateRequest)) {
            done_ = true;
            const auto micros =
                std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start_);
            std::printf("%lld\n", static_cast<long long>(micros.count()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
        return result;
    }

private:
    Clock::time_point start_;
    bool painted_ = false;
    bool done_ = false;
};

// The empty window: what Qt alone costs for a window of this size and menu.
std::unique_ptr<QMainWindow> emptyWindow() {
    auto w = std::make_unique<QMainWindow>();
    for (const Form1::MenuItem& item : Form1::MenuItems)
        w->menuBar()->addAction(QString::fromUtf16(item.caption));
    auto* centre = new QWidget(w.get());
    centre->setFixedSize(TwipScale().size(board::Board::ScaleWidth, board::Board::ScaleHeight));
    w->setCentralWidget(centre);
    return w;
}

int runChild(const std::string& kind, int argc, char** argv, Clock::time_point start) {
    ProbeApplication app(argc, argv, start);
    QApplication::setApplicationName(QStringLiteral("onomatologia"));
    std::unique_ptr<QMainWindow> window;
    if (kind == "exercise") {
        // Exactly what the program's main() does before its event loop.
        content::registerBundledFonts();
        window = std::make_unique<Form1>();
    } else if (kind == "set") {
        content::registerBundledFonts();
        const content::SetCheck check = content::checkSetFile(QStringLiteral(TEMPLATE_SET));
        if (!check.usable())
            return 1;
        window = std::make_unique<Form1>(nullptr, nullptr, check.compounds);
    } else {
        window = emptyWindow();
    }
    window->show();
    return QApplication::exec();
}

struct Sample {
    double millis = 0;
    double peakMiB = 0;
};

bool runOnce(const char* self, const char* kind, Sample& out) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return false;
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        // The offscreen platform's remarks would bury the figures.
        if (const int devNull = open("/dev/null", O_WRONLY); devNull >= 0)
            dup2(devNull, STDERR_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execl(self, self, "--child", kind, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    std::string text;
    char buffer[64];
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(n));
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        text.empty())
        return false;
    out.millis = std::strtod(text.c_str(), nullptr) / 1000.0;
    out.peakMiB = double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const Clock::time_point start = Clock::now();
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argv[2], argc, argv, start);

    // No display is needed: both windows paint into Qt's offscreen platform,
    // on a full-HD screen where the exercise window has its natural size,
    // unless the caller chose another platform.
    setenv("QT_QPA_PLATFORM", OFFSCREEN_FULL_HD, 0);
    setenv("QT_QPA_OFFSCREEN_NO_GLX", "1", 0);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    char self[4096];
    const ssize_t len = readlink("/proc/self/exe", self, sizeof self - 1);
    if (len <= 0)
        return 1;
    self[len] = '\0';

    std::vector<double> timeExercise, timeEmpty, timeSet, memExercise, memEmpty, memSet;
    // One run of each first, unmeasured, to warm the file cache for all.
    Sample s;
    if (!runOnce(self, "exercise", s) || !runOnce(self, "empty", s) || !runOnce(self, "set", s)) {
        std::fprintf(stderr, "startup_probe: a child run failed\n");
        return 1;
    }
    for (int i = 0; i < runs; ++i) {
        for (const char* kind : {"exercise", "empty", "set"}) {
            if (!runOnce(self, kind, s)) {
                std::fprintf(stderr, "startup_probe: a %s run failed\n", kind);
                return 1;
            }
            const bool ex = std::strcmp(kind, "exercise") == 0;
            const bool set = std::strcmp(kind, "set") == 0;
            (ex ? timeExercise : set ? timeSet : timeEmpty).push_back(s.millis);
            (ex ? memExercise : set ? memSet : memEmpty).push_back(s.peakMiB);
        }
    }
    const double te = median(timeExercise), t0 = median(timeEmpty), ts = median(timeSet);
    const double me = median(memExercise), m0 = median(memEmpty), ms = median(memSet);
    std::printf("start-up, main() to first finished paint, median of %d alternating runs each\n",
                runs);
    std::printf("  exercise window %8.1f ms   empty window %8.1f ms   ratio %.2fx (goal <= 1.5x)\n",
                te, t0, te / t0);
    std::printf("peak resident memory\n");
    std::printf("  exercise window %8.1f MiB  empty window %8.1f MiB  ratio %.2fx (goal <= 1.3x)\n",
                me, m0, me / m0);
    std::printf(
        "a set of twenty opened from a file (the template) against the built-in exercise\n");
    std::printf(
        "  start-up        %8.1f ms   built-in     %8.1f ms   more   %.1f ms (goal <= 5 ms)\n", ts,
        te, ts - te);
    std::printf("  memory          %8.1f MiB  built-in     %8.1f MiB\n", ms, me);
    return 0;
}
