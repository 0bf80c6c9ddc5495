#include "ui/startup.h"

#include <QLibraryInfo>
#include <QMessageBox>

#include <clocale>
#include <exception>

#include "ui/app_icon.h"
#include "ui/failure_text.h"
#include "ui/main_form.h"
#include "ui/result.h"

SimplexIteration ProblemRecord;

void prepare_application(QApplication& app, QTranslator& translator) {
    // QApplication has taken the C library's locale from the environment; under a Russian one strtod and
    // printf (GLPK's reading of models among them) would take and write a comma for the point.
    std::setlocale(LC_NUMERIC, "C");
    // The title names the program; it is not a display name, which Qt would append to every caption.
    QApplication::setApplicationName(QStringLiteral("Simplex method"));
    QApplication::setApplicationVersion(QStringLiteral(QTB_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("qtb"));
    QApplication::setWindowIcon(app_icon());
    if (translator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
}

int run_desktop(SimplexIteration& record, MessageBoxSink& messages) {
    TForm1 main_window(record, messages);
    Form1 = &main_window;
    messages.set_parent(&main_window);
    main_window.KeepRunSwitchesInSettings();
    main_window.show();

    TForm3 result_window;
    Form3 = &result_window;

    try {
        QApplication::exec();
    } catch (...) {
        // The handlers report their own failures; whatever still escapes the event loop is shown here.
        QMessageBox::critical(nullptr, QApplication::applicationName(), failure_description(std::current_exception()));
    }
    messages.set_parent(nullptr);
    Form3 = nullptr;  // the windows end with this function
    Form1 = nullptr;
    return 0;
}
