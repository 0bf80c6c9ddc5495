#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "problem/cp1251.h"
#include "problem/transport_file.h"
#include "problem/transport_model.h"

namespace {

using namespace transport;

std::vector<FileFault> faults_of(const std::string& bytes) {
    try {
        read_transport_bytes(bytes);
    } catch (const TransportFileError& error) {
        return error.faults();
    }
    return {};
}

TEST(TransportFile, ReadsEitherLanguageEncodingAndDecimalMark) {
    const std::string english =
        "Name: Test\nAim: min\nSize: 2 2\nSupplies: 10 20.5\nDemands: 15 15,5\nCosts: 1 x\n 2,5 3\n"
        "Start: vogel\nFile: r.txt\nAccuracy: 8 2\n";
    const std::string russian_utf8 =
        "Имя: Test\nЦель: минимум\nРазмерность: 2 2\nЗапасы: 10 20,5\nПотребности: 15 15.5\n"
        "Тарифы: 1 х\n 2.5 3\nНачало: Фогеля\nФайл: r.txt\nТочность: 8 2\n";
    const std::string russian_cp1251 = *cp1251::from_utf8(russian_utf8);
    for (const std::string& bytes : {english, russian_utf8, russian_cp1251}) {
        const TransportProblem p = read_transport_bytes(bytes);
        EXPECT_EQ(p.name, "Test");
        EXPECT_EQ(p.supplies, (std::vector<double>{10, 20.5}));
        EXPECT_EQ(p.demands, (std::vector<double>{15, 15.5}));
        EXPECT_EQ(p.costs, (std::vector<double>{1, 0, 2.5, 3}));
        EXPECT_EQ(p.forbidden, (std::vector<std::uint8_t>{0, 1, 0, 0}));
        EXPECT_EQ(p.print.start, StartMethod::vogel);
        EXPECT_EQ(p.print.file, "r.txt");
        EXPECT_EQ(p.print.precision, 2);
    }
}

TEST(TransportFile, ReportsEveryFaultAtOnceWithItsLine) {
    const std::string bytes =
        "Aim: most\n"           // 1
        "Size: 2 2\n"           // 2
        "Supplies: 10 -5\n"     // 3
        "Demands: 5\n"          // 4: one of two
        "Costs: 1 2\n 3 abc\n"  // 5, 6
        "Accuracy: 4 6\n";      // 7
    const std::vector<FileFault> faults = faults_of(bytes);
    std::vector<unsigned> lines;
    lines.reserve(faults.size());
    for (const FileFault& f : faults) lines.push_back(f.line);
    // The missing aim and report file belong to the whole file.
    EXPECT_EQ(lines, (std::vector<unsigned>{1, 3, 4, 6, 7, 0, 0}));
}

TEST(TransportFile, ANumberTooManyIsAFaultAtItsLineNotAShiftOfTheRest) {
    const std::string head = "Aim: min\nSize: 2 2\nFile: r.txt\n";  // lines 1-3
    const struct {
        std::string rest;
        std::vector<unsigned> lines;
    } cases[] = {
        {"Supplies: 5 5\nDemands: 5 5\nCosts:\n1 2\n3 4\n", {}},
        {"Supplies: 5 5\nDemands: 5 5\nCosts: 1 2 3 4\n", {}},             // one line: the whole matrix
        {"Supplies: 5 5\nDemands: 5 5\nCosts:\n1 2 9\n3 4\n", {7, 8, 8}},  // each short row, and the 4 left over
        {"Supplies: 5 5\nDemands: 5 5\nCosts:\n1 2\n3 4 5\n", {8}},
        {"Supplies: 5 5 5\nDemands: 5 5\nCosts:\n1 2\n3 4\n", {4}},
    };
    for (const auto& c : cases) {
        std::vector<unsigned> lines;
        for (const FileFault& f : faults_of(head + c.rest)) lines.push_back(f.line);
        EXPECT_EQ(lines, c.lines) << c.rest;
    }
}

TEST(TransportFile, FaultsOfAFileWithoutItsParts) {
    EXPECT_EQ(faults_of("").size(), 3U);  // no aim, size, report file
    EXPECT_EQ(faults_of("Supplies: 1 2\nAim: min\nFile: r.txt\nSize: 0 3\n").size(), 3U);
    EXPECT_TRUE(is_transport_file("a/b.QTT"));
    EXPECT_FALSE(is_transport_file("b.qtb"));
}

LpModel model(bool maximize, std::vector<std::pair<double, double>> row_bounds,
              std::vector<std::vector<std::uint32_t>> rows) {
    LpModel m;
    m.maximize = maximize;
    std::uint32_t columns = 0;
    for (const auto& row : rows) {
        for (const std::uint32_t c : row) columns = std::max(columns, c + 1);
    }
    for (std::uint32_t c = 0; c < columns; ++c)
        m.columns.push_back({"x" + std::to_string(c), 0, LpModel::kInfinity, 1.0 + c, false});
    for (std::size_t r = 0; r < rows.size(); ++r) {
        LpModel::Row row{"r" + std::to_string(r), row_bounds[r].first, row_bounds[r].second, {}};
        for (const std::uint32_t c : rows[r]) row.coefficients.emplace_back(c, 1.0);
        m.rows.push_back(row);
    }
    return m;
}

TEST(TransportModel, TakesTransportStructureAndRefusesTheRest) {
    constexpr double inf = LpModel::kInfinity;
    // Two suppliers "<=", two consumers ">=", one route missing: forbidden.
    const auto taken =
        transport_of_model(model(false, {{-inf, 10}, {-inf, 20}, {5, inf}, {15, inf}}, {{0, 1}, {2}, {0, 2}, {1}}));
    ASSERT_TRUE(std::holds_alternative<ModelTransport>(taken));
    const TransportProblem& p = std::get<ModelTransport>(taken).problem;
    EXPECT_EQ(p.supplies, (std::vector<double>{10, 20}));
    EXPECT_EQ(p.demands, (std::vector<double>{5, 15}));
    EXPECT_EQ(p.forbidden, (std::vector<std::uint8_t>{0, 0, 0, 1}));
    // "=" rows only: the sides come from the links.
    EXPECT_TRUE(std::holds_alternative<ModelTransport>(
        transport_of_model(model(false, {{3, 3}, {1, 1}, {2, 2}}, {{0, 1}, {0}, {1}}))));
    // A variable in three rows, and supplies short of "=" demands.
    EXPECT_TRUE(std::holds_alternative<NotTransport>(
        transport_of_model(model(false, {{-inf, 1}, {1, inf}, {1, inf}}, {{0}, {0}, {0}}))));
    EXPECT_TRUE(
        std::holds_alternative<NotTransport>(transport_of_model(model(false, {{-inf, 1}, {5, 5}}, {{0}, {0}}))));
}

}  // namespace
