// A run in the desktop program, timed as a user sees it, without a person:
//
//     build/bench/window_run_bench [--exact] [--stop-after SECONDS] [--runs N] PROBLEM_FILE
//
// Loads the problem file into the main window as the button «Загрузить данные» does, picks «Таблицы
// итераций не выводить», presses «Решить» and waits until the run has ended and the solution window has
// been laid out and painted. Prints one line a run: its wall time from the press to the painted solution
// window, and the longest time the window's event loop went without turning meanwhile (what a user feels as
// a window that does not answer). With --stop-after the run is stopped that many seconds after the press,
// as the command «Остановить решение» does, and the line tells how long the stop took to be taken.
// Boxes the windows would show are printed instead. Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/main_form.h"
#include "ui/message_sink.h"
#include "ui/solution_window.h"

namespace {

class PrintedMessages : public MessageSink {
public:
    void show(const QString& text, const QString& caption) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(caption), qPrintable(text));
    }
};

// The longest time between two turns of the event loop while it runs.
class LoopWatch {
public:
    LoopWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { longest_ = std::max(longest_, since_.restart()); });
        timer_.setTimerType(Qt::PreciseTimer);
    }
    void start() {
        longest_ = 0;
        since_.start();
        timer_.start(5);
    }
    qint64 stop() {
        timer_.stop();
        return std::max(longest_, since_.elapsed());
    }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

int usage() {
    std::fprintf(stderr, "usage: window_run_bench [--exact] [--stop-after SECONDS] [--runs N] PROBLEM_FILE\n");
    return 64;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool exact = false;
    double stop_after = -1.0;
    int runs = 1;
    QString problem_file;
    const QStringList args = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "--exact") {
            exact = true;
        } else if (args[i] == "--stop-after" && i + 1 < args.size()) {
            stop_after = args[++i].toDouble();
        } else if (args[i] == "--runs" && i + 1 < args.size()) {
            runs = std::max(1, args[++i].toInt());
        } else if (problem_file.isEmpty() && !args[i].startsWith('-')) {
            problem_file = args[i];
        } else {
            return usage();
        }
    }
    if (problem_file.isEmpty()) return usage();

    SimplexIteration record;
    PrintedMessages messages;
    TForm1 window(record, messages);
    window.show();
    window.Edit1->setText(problem_file);
    window.Button3Click();
    if (!window.Button1->isEnabled()) {
        std::fprintf(stderr, "window_run_bench: %s did not load\n", qPrintable(problem_file));
        return 1;
    }
    window.RadioButton6->setChecked(true);
    window.ExactArithmetic1->setChecked(exact);
    QApplication::processEvents();

    for (int run = 0; run < runs; ++run) {
        LoopWatch watch;
        QElapsedTimer clock;
        qint64 stop_pressed = -1;
        QTimer stop;  // gone with the run, fired or not
        stop.setSingleShot(true);
        QObject::connect(&stop, &QTimer::timeout, [&] {
            stop_pressed = clock.elapsed();
            window.StopRun1->trigger();
        });
        if (stop_after >= 0) stop.start(static_cast<int>(stop_after * 1000));
        watch.start();
        clock.start();
        window.Button1Click();
        const qint64 run_ended = clock.elapsed();
        // The solution window as the user sees it: laid out and painted.
        QApplication::processEvents();
        if (auto* solution = window.findChild<SolutionWindow*>()) static_cast<void>(solution->grab());
        QApplication::processEvents();
        const qint64 shown = clock.elapsed();
        const qint64 pause = watch.stop();
        std::printf("run %d: %.3f s (the run itself %.3f s), longest pause of the window %.3f s", run + 1,
                    static_cast<double>(shown) / 1000, static_cast<double>(run_ended) / 1000,
                    static_cast<double>(pause) / 1000);
        if (stop_pressed >= 0) {
            std::printf(", stop taken %.3f s after it was asked", static_cast<double>(run_ended - stop_pressed) / 1000);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
