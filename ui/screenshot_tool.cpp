// Grabs the program's windows into PNG files, for the documentation and for checking the layout by eye:
//     qtb-screenshot [--load PROBLEM_FILE] [--about ABOUT.png] [--solution TABLES.png PICTURE.png] MAIN.png
// The windows are built as the program builds them; --load loads a problem file first, as the button
// "Загрузить данные" does. --solution solves the loaded problem and grabs the solution window on the
// initial table (with its key element) and on its picture. Messages that the windows would show in
// boxes are printed instead.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

#include "solver/report_frame.h"
#include "solver/run_observer.h"
#include "ui/About.h"
#include "ui/main_form.h"
#include "ui/message_sink.h"
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

// Grabs the solution window on its first table, then on its picture, then ends the program.
void grab_solution(SolutionWindow& window, const QString& tables_file, const QString& picture_file, int& status) {
    window.TableList->setCurrentRow(0);
    window.show();
    QTimer::singleShot(300, &window, [&, tables_file, picture_file] {
        if (!save(&window, tables_file)) status = 1;
        window.Tabs->setCurrentWidget(window.PicturePage);
        QTimer::singleShot(300, &window, [&, picture_file] {
            if (!save(&window, picture_file)) status = 1;
            QApplication::quit();
        });
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    prepare_application(app, translator);

    QString problem_file, about_file, main_file, tables_file, picture_file;
    const QStringList args = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "--load" && i + 1 < args.size()) {
            problem_file = args[++i];
        } else if (args[i] == "--about" && i + 1 < args.size()) {
            about_file = args[++i];
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
                     "usage: qtb-screenshot [--load PROBLEM_FILE] [--about ABOUT.png] [--solution TABLES.png "
                     "PICTURE.png] MAIN.png\n");
        return 64;
    }

    SimplexIteration record;
    PrintedMessages messages;
    TForm1 window(record, messages);
    window.show();
    if (!problem_file.isEmpty()) {
        window.Edit1->setText(problem_file);
        window.Button3Click();
    }

    int status = 0;
    SolutionWindow solution(messages);
    // Grabbed once the windows have been laid out and painted.
    QTimer::singleShot(300, &window, [&] {
        if (!save(&window, main_file)) status = 1;
        if (!about_file.isEmpty()) {
            window.About1Click();
            QTimer::singleShot(300, &window, [&] {
                if (!save(Form2, about_file)) status = 1;
                if (tables_file.isEmpty())
                    QApplication::quit();
                else
                    Form2->close();
            });
        }
        if (!tables_file.isEmpty()) {
            QTimer::singleShot(about_file.isEmpty() ? 0 : 600, &window, [&] {
                solution.show_run(solve_recorded(record));
                grab_solution(solution, tables_file, picture_file, status);
            });
            return;
        }
        if (about_file.isEmpty()) QApplication::quit();
    });
    QApplication::exec();
    return status;
}
