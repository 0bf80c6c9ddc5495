#pragma once

// A transport problem as its file or a model states it: suppliers with their supplies, consumers
// with their demands, the cost (or profit) of each route, and the routes that may not be used.
// Numbers are doubles as read; an exact run takes each as the shortest decimal that reads back to it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace transport {

// Costs to minimise, or profits to maximise.
enum class Sense { cost_min, profit_max };

// How the first plan is made: the north-west corner, the least cost, or Vogel's approximation.
enum class StartMethod { northwest, least_cost, vogel };

// The word of a start method on the command line and in files: northwest, least-cost, vogel.
constexpr const char* start_word(StartMethod start) {
    return start == StartMethod::least_cost ? "least-cost" : start == StartMethod::vogel ? "vogel" : "northwest";
}

// Which plans the report shows: every plan (within the print interval), the first, the optimal, none.
enum class PlanTables { all, first, optimal, first_and_optimal, none };

struct TransportPrint {
    std::string file;  // the report file, Windows-1251
    PlanTables tables = PlanTables::all;
    std::int32_t width = 10;
    std::int32_t precision = 4;
    std::int32_t print_from = 0;  // plans first..last (0 = the first plan); both 0: every plan
    std::int32_t print_to = 0;
    std::int32_t stop = 0;  // iteration limit; 0: the default limit
    StartMethod start = StartMethod::northwest;
};

struct TransportProblem {
    std::string name;  // Windows-1251
    Sense sense = Sense::cost_min;
    std::vector<double> supplies;  // a_i, one a supplier
    std::vector<double> demands;   // b_j, one a consumer
    // Row-major, supplies.size() rows by demands.size() columns; 0 at a forbidden route.
    std::vector<double> costs;
    std::vector<std::uint8_t> forbidden;  // 1 at a forbidden route, same layout as costs
    // Windows-1251; empty, or one a supplier / consumer (a model's row names).
    std::vector<std::string> supplier_names;
    std::vector<std::string> consumer_names;
    TransportPrint print;

    std::size_t rows() const { return supplies.size(); }
    std::size_t columns() const { return demands.size(); }
    double cost(std::size_t i, std::size_t j) const { return costs[i * columns() + j]; }
    bool is_forbidden(std::size_t i, std::size_t j) const { return forbidden[i * columns() + j] != 0; }
};

}  // namespace transport
