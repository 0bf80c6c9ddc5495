// The main window's readings of models: on a worker while the window goes on, shown in the status bar,
// stopped by the run's stop command or by closing the window.

#include <QTimer>

#include <chrono>
#include <utility>

#include "ui/main_form.h"
#include "ui/run_beside_events.h"

namespace {

// A reading has no progress to show: the busy bar moves by itself.
constexpr std::chrono::milliseconds kNoTicks{1000};

}  // namespace

TForm1::ModelReading TForm1::ReadModelBeside(LoadRequest request, const QString& doing) {
    ModelReading reading;
    if (busy()) return reading;
    ModelLoadStop stop;
    request.stop = &stop;
    const auto work = [&] {
        try {
            reading.loaded.emplace(model_.load(request));
        } catch (...) {
            reading.failure = std::current_exception();
        }
    };
    {
        set_loading(&stop, doing);
        struct EndOfReading {
            TForm1* window;
            ~EndOfReading() { window->set_loading(nullptr, {}); }
        } end_of_reading{this};
        run_beside_events(
            work, [] {}, kNoTicks, [&stop] { stop.request(); });
    }
    if (stop.requested()) {
        // What a stopped reading gave, model or failure, is not taken.
        reading.loaded.reset();
        reading.failure = nullptr;
    }
    if (close_after_run_) {
        close_after_run_ = false;
        reading.window_closes = true;
        QTimer::singleShot(0, this, &QWidget::close);
    }
    return reading;
}

void TForm1::set_loading(ModelLoadStop* stop, const QString& doing) {
    load_stop_ = stop;
    StopRun1->setEnabled(stop != nullptr);
    StopRun1->setText(stop != nullptr ? QStringLiteral("Остановить загрузку") : QStringLiteral("Остановить решение"));
    hold_commands(stop != nullptr);
    if (stop == nullptr) {
        ProgressBar1->hide();
        ReportPath1->setText(report_path_before_load_);
        return;
    }
    report_path_before_load_ = ReportPath1->text();
    ReportPath1->setText(doing + QStringLiteral(" Остановить: ") +
                         StopRun1->shortcut().toString(QKeySequence::NativeText));
    ProgressBar1->setRange(0, 0);
    ProgressBar1->show();
}
