// The options of qtb-solve as the parser takes them: every option of the help is known, in
// both spellings of its value; one that takes a value is refused the second time.

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/command_line.h"

namespace {

// A value each option that takes one accepts.
const std::map<std::string, std::string> kGoodValues = {
    {"--tables", "none"},     {"--print", "1:2"},        {"--accuracy", "10:3"},      {"--report", "r.txt"},
    {"--format", "lp"},       {"--data", "d.dat"},       {"--model-time-limit", "5"}, {"--model-memory-limit", "64"},
    {"--stop", "3"},          {"--write-qtb", "w.qtb"},  {"--plot", "p.svg"},         {"--arithmetic", "exact"},
    {"--rule", "bland"},      {"--output", "html"},      {"--encoding", "utf-8"},     {"--time-limit", "0.5"},
    {"--write-dual", "d.lp"}, {"--method", "two-phase"}, {"--variants", "30"},        {"--seed", "7"},
    {"--size", "3x4"},        {"--out", "group"},        {"--sense", "min"},          {"--rows", "le,eq"},
    {"--artificial", "yes"},  {"--iterations", "3"},     {"--numbers", "decimal"},    {"--template", "t.qtb"},
    {"--start", "vogel"},     {"--check", "s.txt"},      {"--check-dir", "students"}, {"--integer", "relax"},
    {"--nodes", "5"},         {"--cuts", "7"},
};

cli::CommandLine parse(const std::vector<std::string>& words) {
    const std::vector<std::string_view> args(words.begin(), words.end());
    return cli::parse_command_line(args);
}

std::string refusal(const cli::CommandLine& line) {
    const auto* error = std::get_if<cli::UsageError>(&line);
    return error != nullptr ? error->message : "";
}

// The options the help lists, each with the form of its value ("" for a switch).
std::vector<std::pair<std::string, std::string>> helped_options() {
    std::vector<std::pair<std::string, std::string>> options;
    std::istringstream help{std::string(cli::help_text())};
    bool in_list = false;
    for (std::string line; std::getline(help, line);) {
        if (line == "Параметры:") in_list = true;
        if (line.starts_with("  Параметр можно")) break;
        if (!in_list || !line.starts_with("  -")) continue;
        std::string names = line.substr(2);
        if (names.starts_with("-h, ")) names = names.substr(4);
        const std::size_t space = names.find(' ');
        options.emplace_back(names.substr(0, space), space == std::string::npos ? "" : names.substr(space + 1));
    }
    return options;
}

TEST(CommandLine, EveryOptionOfTheHelpIsTakenAndAValueOnlyOnce) {
    const auto options = helped_options();
    ASSERT_EQ(options.size(), 45U);
    for (const auto& [name, form] : options) {
        SCOPED_TRACE(name);
        if (name == "--help" || name == "--version") {
            EXPECT_EQ(parse({name, "p.qtb"}).index(), name == "--help" ? 1U : 2U);
            EXPECT_EQ(refusal(parse({name + "=1", "p.qtb"})), "неизвестный параметр " + name + "=1");
            continue;
        }
        if (form.empty()) {  // a switch: any number of times, never with a value
            EXPECT_TRUE(std::holds_alternative<cli::Options>(parse({name, name, "p.qtb"})));
            EXPECT_EQ(refusal(parse({name + "=1", "p.qtb"})), "неизвестный параметр " + name + "=1");
            continue;
        }
        ASSERT_EQ(kGoodValues.count(name), 1U);
        const std::string& value = kGoodValues.at(name);
        std::string joined = name;  // --name=value
        (joined += '=') += value;
        EXPECT_TRUE(std::holds_alternative<cli::Options>(parse({name, value, "p.qtb"})));
        EXPECT_TRUE(std::holds_alternative<cli::Options>(parse({joined, "p.qtb"})));
        EXPECT_EQ(refusal(parse({name, value, joined, "p.qtb"})), "параметр " + name + " указан дважды");
        EXPECT_EQ(refusal(parse({"p.qtb", name})), "параметру " + name + " нужно значение");
    }
}

// A check compares the big-M method's tables, and writes nothing else.
TEST(CommandLine, ACheckTakesNoOtherOutputNorMethod) {
    const std::vector<std::vector<std::string>> refused = {
        {"--check", "s.txt", "--check-dir", "d", "p.qtb"},  {"--check", "s.txt", "--method", "dual", "p.qtb"},
        {"--check-dir", "d", "--method", "two-phase", "p"}, {"--check", "s.txt", "--write-qtb", "w.qtb", "p.qtb"},
        {"--check-dir", "d", "--plot", "p.svg", "p"},
    };
    for (const auto& words : refused) EXPECT_FALSE(refusal(parse(words)).empty()) << words[2];
    EXPECT_TRUE(std::holds_alternative<cli::Options>(
        parse({"--check", "s.txt", "--method", "big-m", "--rule", "bland", "p.qtb"})));
}

}  // namespace
