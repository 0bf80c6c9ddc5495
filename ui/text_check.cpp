#include "ui/text_check.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "problem/canonical_form.h"
#include "problem/glpk_model_reader.h"
#include "problem/model_loading.h"
#include "problem/problem_file_faults.h"
#include "problem/simplex_iteration.h"
#include "ui/editor_formats.h"
#include "ui/failure_text.h"

namespace {

std::vector<TextFault> problem_file_text_faults(const QByteArray& bytes) {
    std::vector<TextFault> faults;
    for (const ProblemFileFault& fault :
         problem_file_faults({bytes.constData(), static_cast<std::size_t>(bytes.size())}))
        faults.push_back({fault.line, status_message(fault.code)});
    return faults;
}

// GLPK names the file and the line at the head of its message ("/tmp/x.lp:4: syntax error"); the
// fault keeps the line and the rest of the message, without the name of the temporary file.
TextFault located_fault(const QString& message, const QString& file_name) {
    static const QRegularExpression kLocated(QStringLiteral(R"(^(.*?):(\d+): )"));
    QString text = message;
    unsigned line = 0;
    if (const QRegularExpressionMatch match = kLocated.match(text); match.hasMatch()) {
        line = match.captured(2).toUInt();
        text.remove(0, match.capturedLength());
    }
    text.replace(file_name, QStringLiteral("модель"));
    text.replace(u'\n', QStringLiteral("; "));
    return {line, text};
}

std::vector<TextFault> model_text_faults(const QByteArray& bytes, ModelFormat format) {
    // GLPK reads files: the text goes to a temporary one with the format's extension.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/qtb_editor_XXXXXX") + editor_format(format).extension);
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return {{0, QStringLiteral("Не удаётся записать текст во временный файл для проверки")}};
    const QString path = file.fileName();
    file.close();
    try {
        static_cast<void>(load_model(QFile::encodeName(path).toStdString(), format));
    } catch (const ModelReadError& failure) {
        return {located_fault(QString::fromUtf8(failure.what()), path)};
    } catch (const CanonicalFormError& failure) {
        return {{0, QString::fromUtf8(failure.what())}};
    } catch (const SimplexIteration::bad_simplex& failure) {
        std::vector<TextFault> faults;
        for (int i = 0; i < failure.count && i < SimplexIteration::bad_simplex::kCapacity; ++i)
            faults.push_back({0, status_message(failure.codes[static_cast<std::size_t>(i)])});
        return faults;
    }
    return {};
}

}  // namespace

std::vector<TextFault> check_problem_text(const QString& text, ModelFormat format) {
    const QByteArray bytes = text.toUtf8();
    return format == ModelFormat::problem_file ? problem_file_text_faults(bytes) : model_text_faults(bytes, format);
}
