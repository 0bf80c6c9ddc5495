// Grabs the program's windows into PNG files, for the documentation and for checking the layout by eye:
//     qtb-screenshot [--load PROBLEM_FILE] [--about ABOUT.png] [--editor EDITOR.png] [--running RUNNING.png]
//                    MAIN.png
// The windows are built as the program builds them; --load loads a problem file first, as the button
// "Загрузить данные" does; --editor shows the problem editor with a model that has one fault, checked.
// --running grabs the window once more while a run of the loaded problem goes on, held after its first
// pivot until the picture is taken. Messages that the windows would show in boxes are printed instead.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <chrono>
#include <cstdio>
#include <thread>

#include "ui/About.h"
#include "ui/editor_commands.h"
#include "ui/editor_formats.h"
#include "ui/main_form.h"
#include "ui/message_sink.h"
#include "ui/problem_editor.h"
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

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    prepare_application(app, translator);

    QString problem_file, about_file, editor_file, running_file, main_file;
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
        } else if (main_file.isEmpty() && !args[i].startsWith('-')) {
            main_file = args[i];
        } else {
            main_file.clear();
            break;
        }
    }
    int status = 0;
    if (main_file.isEmpty()) {
        std::fprintf(stderr,
                     "usage: qtb-screenshot [--load PROBLEM_FILE] [--about ABOUT.png] [--editor EDITOR.png] "
                     "[--running RUNNING.png] MAIN.png\n");
        return 64;
    }

    SimplexIteration record;
    PrintedMessages messages;
    ModelCalls calls = ModelCalls::real();
    if (!running_file.isEmpty()) {
        calls.watched_solve = [real = calls.watched_solve](SimplexIteration run, const RunSettings& settings,
                                                           const ReportFrame& frame, const RunObserver& observer) {
            RunObserver held = observer;
            held.progress = [&observer](std::int32_t pivots, std::int32_t limit) {
                observer.progress(pivots, limit);
                while (!observer.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            };
            return real(std::move(run), settings, frame, held);
        };
    }
    TForm1 window(record, messages, calls);
    window.show();
    if (!problem_file.isEmpty()) {
        window.Edit1->setText(problem_file);
        window.Button3Click();
    }

    if (!editor_file.isEmpty()) {
        ProblemEditor* editor = open_new_problem(window, messages);
        // The template with a word where a number belongs, in its last constraint.
        QString text = editor_format(ModelFormat::cplex_lp).template_text;
        editor->TextEdit->setPlainText(text.replace(QStringLiteral("<= 6"), QStringLiteral("<= six")));
        editor->check();
        QTimer::singleShot(300, editor, [editor, &editor_file, &status] {
            if (!save(editor, editor_file)) status = 1;
        });
    }

    // Grabbed once the windows have been laid out and painted.
    QTimer::singleShot(600, &window, [&] {
        if (!save(&window, main_file)) status = 1;
        if (!running_file.isEmpty()) {
            QTimer::singleShot(500, &window, [&] {
                if (!save(&window, running_file)) status = 1;
                window.StopRun1Click();
            });
            window.Button1Click();  // returns when the run has been stopped
        }
        if (!about_file.isEmpty()) {
            window.About1Click();
            QTimer::singleShot(300, &window, [&] {
                if (!save(Form2, about_file)) status = 1;
                QApplication::quit();
            });
            return;
        }
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
