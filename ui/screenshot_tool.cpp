// Grabs the program's windows into PNG files, for the documentation and for checking the layout by eye:
//     qtb-screenshot [--load PROBLEM_FILE] [--about ABOUT.png] [--editor EDITOR.png] [--running RUNNING.png]
//                    [--solution TABLES.png PICTURE.png] MAIN.png
// The windows are built as the program builds them; --load loads a problem file first, as the button
// "Загрузить данные" does. --editor shows the problem editor with a model that has one fault, checked;
// --running grabs the main window while a run of the loaded problem goes on, held after its first pivot
// until the picture is taken; --solution solves the loaded problem and grabs the solution window on the
// initial table (with its key element) and on its picture. Messages that the windows would show in boxes
// are printed instead.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include "solver/engine/run_observer.h"
#include "solver/report/report_frame.h"
#include "solver/session/run_with_report.h"
#include "ui/About.h"
#include "ui/editor_commands.h"
#include "ui/editor_formats.h"
#include "ui/main_form.h"
#include "ui/message_sink.h"
#include "ui/problem_editor.h"
#include "ui/solution_window.h"
#include "ui/startup.h"

namespace {

class PrintedMessages : public MessageSink {
public:
    void show(const QString& text, const QString& caption) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(caption), qPrintable(text));
    }
};

bool save(QWidget* window, const QString& file) {
    if (window->grab().save(file, "PNG")) return true;
    std::fprintf(stderr, "qtb-screenshot: cannot write %s\n", qPrintable(file));
    return false;
}

// The loaded problem solved with every table recorded and none printed.
std::shared_ptr<const RecordedRun> solve_recorded(SimplexIteration problem) {
    problem.no_table = true;
    TableRecorder recorder;
    RunSettings settings;
    settings.keep_final_table = true;
    run_simplex(std::move(problem), settings, ReportFrame{}, RunObserver{&recorder, {}, nullptr});
    return recorder.take();
}

// Runs that hold after their first pivot until they are told to stop: the progress stays on screen.
ModelCalls held_runs() {
    ModelCalls calls = ModelCalls::real();
    calls.watched_solve = [real = calls.watched_solve](SimplexIteration run, const RunSettings& settings,
                                                       const ReportFrame& frame, const RunObserver& observer) {
        RunObserver held = observer;
        held.progress = [&observer](std::int32_t pivots, std::int32_t limit) {
            observer.progress(pivots, limit);
            while (!observer.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        };
        return real(std::move(run), settings, frame, held);
    };
    return calls;
}

// Steps one after another, each once the windows of the one before have been laid out and painted.
class Steps {
public:
    void add(std::function<void()> step) { steps_.push_back(std::move(step)); }
    void start() { next(0); }

private:
    void next(std::size_t k) {
        QTimer::singleShot(k == 0 ? 600 : 300, [this, k] {
            if (k == steps_.size()) {
                QApplication::quit();
                return;
            }
            steps_[k]();
            next(k + 1);
        });
    }
    std::vector<std::function<void()>> steps_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    prepare_application(app, translator);

    QString problem_file, about_file, editor_file, running_file, tables_file, picture_file, main_file;
    const QStringList args = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "--load" && i + 1 < args.size()) {
            problem_file = args[++i];
        } else if (args[i] == "--about" && i + 1 < args.size()) {
            about_file = args[++i];
        } else if (args[i] == "--editor" && i + 1 < args.size()) {
            editor_file = args[++i];
        } else if (args[i] == "--running" && i + 1 < args.size()) {
            running_file = args[++i];
        } else if (args[i] == "--solution" && i + 2 < args.size()) {
            tables_file = args[++i];
            picture_file = args[++i];
        } else if (main_file.isEmpty() && !args[i].startsWith('-')) {
            main_file = args[i];
        } else {
            main_file.clear();
            break;
        }
    }
    if (main_file.isEmpty()) {
        std::fprintf(stderr,
                     "usage: qtb-screenshot [--load PROBLEM_FILE] [--about ABOUT.png] [--editor EDITOR.png] "
                     "[--running RUNNING.png] [--solution TABLES.png PICTURE.png] MAIN.png\n");
        return 64;
    }

    SimplexIteration record;
    PrintedMessages messages;
    TForm1 window(record, messages, running_file.isEmpty() ? ModelCalls::real() : held_runs());
    window.show();
    if (!problem_file.isEmpty()) {
        window.Edit1->setText(problem_file);
        window.Button3Click();
    }

    int status = 0;
    const auto grab = [&status](QWidget* widget, const QString& file) {
        if (!save(widget, file)) status = 1;
    };
    Steps steps;
    steps.add([&] { grab(&window, main_file); });
    ProblemEditor* editor = nullptr;
    if (!editor_file.isEmpty()) {
        steps.add([&] {
            editor = open_new_problem(window, messages);
            // The template with a word where a number belongs, in its last constraint.
            QString text = editor_format(ModelFormat::cplex_lp).template_text;
            editor->TextEdit->setPlainText(text.replace(QStringLiteral("<= 6"), QStringLiteral("<= six")));
            editor->check();
        });
        steps.add([&] { grab(editor, editor_file); });
    }
    if (!running_file.isEmpty()) {
        steps.add([&] {
            QTimer::singleShot(500, &window, [&] {
                grab(&window, running_file);
                window.StopRun1Click();
            });
            window.Button1Click();  // returns when the run has been stopped
        });
    }
    if (!about_file.isEmpty()) {
        steps.add([&] { window.About1Click(); });
        steps.add([&] {
            grab(Form2, about_file);
            Form2->close();
        });
    }
    SolutionWindow solution(messages);
    if (!tables_file.isEmpty()) {
        steps.add([&] {
            solution.show_run(solve_recorded(record));
            solution.TableList->setCurrentRow(0);
            solution.show();
        });
        steps.add([&] {
            grab(&solution, tables_file);
            solution.Tabs->setCurrentWidget(solution.PicturePage);
        });
        steps.add([&] { grab(&solution, picture_file); });
    }
    steps.start();
    QApplication::exec();
    return status;
}
