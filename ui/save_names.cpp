#include "ui/save_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

QString filter_extension(const QString& filter) {
    static const QRegularExpression first_pattern(QStringLiteral(R"(\(\*\.([^\s;)*?]+))"));
    return first_pattern.match(filter).captured(1);
}

QString with_filter_extension(const QString& path, const QString& filter) {
    const QString extension = filter_extension(filter);
    if (extension.isEmpty() || path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + (path.endsWith('.') ? QString() : QStringLiteral(".")) + extension;
}

QString suggested_save_name(const std::filesystem::path& problem_file, const QString& what, const QString& extension) {
    if (problem_file.empty()) return QDir::current().filePath(what + '.' + extension);
    const QFileInfo problem(QFile::decodeName(problem_file.c_str()));
    return problem.dir().filePath(problem.completeBaseName() + '-' + what + '.' + extension);
}
