#pragma once

// Text from users' files and from the program as each language the program
// writes needs it, one escaper per language: LaTeX (the documents), HTML (the
// documents), XML (the SVG picture) and JSON (the tool's answer). Input is UTF-8.

#include <string>
#include <string_view>

// The text with every control character (C0 but tab, C1) replaced by "?": they
// have no place in a document, and a name from a file may hold one.
std::string without_controls(std::string_view utf8);

// LaTeX text for pdflatex with T2A and utf8 inputenc: the special characters
// escaped, the symbols the documents use (∞, ≤, ≥, ≠, −, →, ↓) in math, the
// characters of Windows-1251 as they are, any other character "?".
std::string latex_text(std::string_view utf8);

// HTML text: controls as "?", then & < > " ' as entities.
std::string html_text(std::string_view utf8);

// XML text (SVG): & < > " ' as entities.
std::string xml_text(std::string_view utf8);

// A JSON string, quotes included; always valid UTF-8, a byte that is not read as Windows-1251.
std::string json_string(std::string_view text);
