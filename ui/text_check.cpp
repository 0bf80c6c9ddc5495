#include "ui/text_check.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "problem/canonical_form.h"
#include "problem/glpk_model_reader.h"
#include "problem/model_error_place.h"
#include "problem/problem_file_faults.h"
#include "problem/simplex_iteration.h"
#include "problem/transport_file.h"
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

std::vector<TextFault> transport_file_text_faults(const QByteArray& bytes) {
    try {
        static_cast<void>(transport::read_transport_bytes(bytes.toStdString()));
        return {};
    } catch (const transport::TransportFileError& failure) {
        std::vector<TextFault> faults;
        for (const transport::FileFault& fault : failure.faults())
            faults.push_back({fault.line, QString::fromStdString(fault.text)});
        return faults;
    }
}

// GLPK names the file and the line at the head of its message ("/tmp/x.lp:4: syntax error"). A fault of
// the model keeps its line and the rest of the message, the model's file named "модель"; a fault of the
// data file belongs to no line of the text and keeps the data file's name.
TextFault located_fault(const QString& message, const LoadRequest& request) {
    QString text = message;
    if (const std::optional<ModelErrorPlace> place =
            model_error_place(message.toStdString(), request.path, request.data_file);
        place && place->file != request.path)
        return {0, text.replace(u'\n', QStringLiteral("; "))};
    static const QRegularExpression kLocated(QStringLiteral(R"(^(.*?):(\d+): )"));
    unsigned line = 0;
    if (const QRegularExpressionMatch match = kLocated.match(text); match.hasMatch()) {
        line = match.captured(2).toUInt();
        text.remove(0, match.capturedLength());
    }
    text.replace(QFile::decodeName(request.path.c_str()), QStringLiteral("модель"));
    text.replace(u'\n', QStringLiteral("; "));
    return {line, text};
}

// The faults of a model file read by `read`, its name standing as "модель" in the messages.
TextCheck checked_model_file(const QString& path, ModelFormat format, const ModelFileReader& read,
                             const QString& data_file) {
    LoadRequest request;
    request.path = QFile::encodeName(path).toStdString();
    request.format = format;
    if (format == ModelFormat::mathprog && !data_file.isEmpty())
        request.data_file = QFile::encodeName(data_file).toStdString();
    TextCheck check;
    try {
        check.model = read(request);
        check.stopped = !check.model;
    } catch (const ModelReadError& failure) {
        check.faults = {located_fault(QString::fromUtf8(failure.what()), request)};
    } catch (const CanonicalFormError& failure) {
        check.faults = {{0, QString::fromUtf8(failure.what())}};
    } catch (const SimplexIteration::bad_simplex& failure) {
        for (int i = 0; i < failure.count && i < SimplexIteration::bad_simplex::kCapacity; ++i)
            check.faults.push_back({0, status_message(failure.codes[static_cast<std::size_t>(i)])});
    }
    return check;
}

TextCheck model_text_check(const QByteArray& bytes, ModelFormat format, const ModelFileReader& read,
                           const QString& data_file) {
    // GLPK reads files: the text goes to a temporary one with the format's extension, removed with the object.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/qtb_editor_XXXXXX") + editor_format(format).extension);
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return {{{0, QStringLiteral("Не удаётся записать текст во временный файл для проверки")}}, {}, false};
    const QString path = file.fileName();
    file.close();
    return checked_model_file(path, format, read, data_file);
}

}  // namespace

TextCheck check_problem_text(const QString& text, const EditorFormat& format, const ModelFileReader& read,
                             const QString& data_file) {
    const QByteArray bytes = text.toUtf8();
    if (format.transport) return {transport_file_text_faults(bytes), {}, false};
    if (format.format == ModelFormat::problem_file) return {problem_file_text_faults(bytes), {}, false};
    return model_text_check(bytes, format.format, read, data_file);
}

TextCheck check_model_file(const QString& file_name, ModelFormat format, const ModelFileReader& read,
                           const QString& data_file) {
    return checked_model_file(file_name, format, read, data_file);
}
