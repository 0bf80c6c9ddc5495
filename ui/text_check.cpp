#include "ui/text_check.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "problem/canonical_form.h"
#include "problem/glpk_model_reader.h"
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

// The faults of a model file read by `read`, its name standing as "модель" in the messages.
TextCheck checked_model_file(const QString& path, ModelFormat format, const ModelFileReader& read) {
    TextCheck check;
    try {
        check.model = read(QFile::encodeName(path).toStdString(), format);
        check.stopped = !check.model;
    } catch (const ModelReadError& failure) {
        check.faults = {located_fault(QString::fromUtf8(failure.what()), path)};
    } catch (const CanonicalFormError& failure) {
        check.faults = {{0, QString::fromUtf8(failure.what())}};
    } catch (const SimplexIteration::bad_simplex& failure) {
        for (int i = 0; i < failure.count && i < SimplexIteration::bad_simplex::kCapacity; ++i)
            check.faults.push_back({0, status_message(failure.codes[static_cast<std::size_t>(i)])});
    }
    return check;
}

TextCheck model_text_check(const QByteArray& bytes, ModelFormat format, const ModelFileReader& read) {
    // GLPK reads files: the text goes to a temporary one with the format's extension, removed with the object.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/qtb_editor_XXXXXX") + editor_format(format).extension);
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return {{{0, QStringLiteral("Не удаётся записать текст во временный файл для проверки")}}, {}, false};
    const QString path = file.fileName();
    file.close();
    return checked_model_file(path, format, read);
}

}  // namespace

TextCheck check_problem_text(const QString& text, ModelFormat format, const ModelFileReader& read) {
    const QByteArray bytes = text.toUtf8();
    if (format == ModelFormat::problem_file) return {problem_file_text_faults(bytes), {}, false};
    return model_text_check(bytes, format, read);
}

TextCheck check_model_file(const QString& file_name, ModelFormat format, const ModelFileReader& read) {
    return checked_model_file(file_name, format, read);
}
