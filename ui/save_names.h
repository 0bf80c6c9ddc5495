#pragma once

#include <QString>

#include <filesystem>

// The names under which the windows save what they show of a run.

// The extension that a file dialog's filter names first, without its dot: "html" for "HTML (*.html)";
// empty when it names none ("Все файлы (*)").
QString filter_extension(const QString& filter);

// The chosen name, with the chosen filter's extension when it has none of its own: "maximize-run" with
// "HTML (*.html)" is "maximize-run.html".
QString with_filter_extension(const QString& path, const QString& filter);

// The name to suggest for what is saved of a run: beside the problem's file and after it,
// "/a/maximize-решение.html" for "/a/maximize.qtb"; without a file, `what` in the current folder.
QString suggested_save_name(const std::filesystem::path& problem_file, const QString& what, const QString& extension);
