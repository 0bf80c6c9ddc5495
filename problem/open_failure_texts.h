#pragma once

// Why a file the user named cannot be opened, told in Russian whatever the locale.

#include <string>

// The reason for errno value `error`: Russian for the common ones, the system's text otherwise.
std::string open_failure_reason(int error);

// "не удаётся открыть <what> «<path>»: <reason>" (UTF-8).
std::string open_failure_text(const std::string& what, const std::string& path, int error);
