// The desktop program `qtb`. It takes no command-line arguments but --version and always ends with exit code 0.
#include <QApplication>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "ui/message_sink.h"
#include "ui/startup.h"

int main(int argc, char* argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("qtb " QTB_VERSION);
        return 0;
    }
    QApplication app(argc, argv);
    QTranslator translator;
    prepare_application(app, translator);
    MessageBoxSink messages;
    return run_desktop(ProblemRecord, messages);
}
