// The desktop program `qtb`. It takes no command-line arguments and always ends with exit code 0.
#include <QApplication>
#include <QTranslator>

#include "ui/message_sink.h"
#include "ui/startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    prepare_application(app, translator);
    MessageBoxSink messages;
    return run_desktop(ProblemRecord, messages);
}
