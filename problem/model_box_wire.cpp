#include "problem/model_box_wire.h"

#include <cstring>

namespace {

constexpr std::string_view kRequestMark = "QTBMODEL1";
constexpr std::string_view kResultMark = "QTBRESULT1";

class Writer {
public:
    void bytes(std::string_view data) { out_.append(data); }
    void u8(std::uint8_t value) { out_.push_back(static_cast<char>(value)); }
    void u64(std::uint64_t value) {
        for (int i = 0; i < 8; ++i) out_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    void f64(double value) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        u64(bits);
    }
    void text(std::string_view value) {
        u64(value.size());
        bytes(value);
    }
    void maybe_text(const std::optional<std::string>& value) {
        u8(value ? 1 : 0);
        if (value) text(*value);
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

// Reads what Writer wrote; any read past the end or any bad value leaves it failed.
class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}
    bool ok() const { return ok_; }
    bool at_end() const { return ok_ && in_.empty(); }
    std::size_t left() const { return in_.size(); }

    bool mark(std::string_view expected) {
        if (!ok_ || !in_.starts_with(expected)) return ok_ = false;
        in_.remove_prefix(expected.size());
        return true;
    }
    std::uint8_t u8() {
        if (!ok_ || in_.empty()) return fail();
        const auto value = static_cast<std::uint8_t>(in_[0]);
        in_.remove_prefix(1);
        return value;
    }
    std::uint64_t u64() {
        if (!ok_ || in_.size() < 8) return fail();
        std::uint64_t value = 0;
        for (int i = 0; i < 8; ++i) value |= std::uint64_t{static_cast<unsigned char>(in_[i])} << (8 * i);
        in_.remove_prefix(8);
        return value;
    }
    double f64() {
        const std::uint64_t bits = u64();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    bool flag() {
        const std::uint8_t value = u8();
        if (value > 1) fail();
        return value == 1;
    }
    std::string text() {
        const std::uint64_t size = u64();
        if (!ok_ || size > in_.size()) return fail(), std::string();
        std::string value(in_.substr(0, size));
        in_.remove_prefix(size);
        return value;
    }
    std::optional<std::string> maybe_text() {
        if (!flag()) return std::nullopt;
        return text();
    }
    // A count of items that take at least item_bytes each in what is left.
    std::uint64_t count(std::size_t item_bytes) {
        const std::uint64_t value = u64();
        if (ok_ && value > in_.size() / item_bytes) fail();
        return ok_ ? value : 0;
    }

private:
    std::uint8_t fail() {
        ok_ = false;
        return 0;
    }
    std::string_view in_;
    bool ok_ = true;
};

// A column's or a row's name and bounds, the same way for both.
template <class Part>
void write_named_bounds(Writer& out, const Part& part) {
    out.text(part.name);
    out.f64(part.lower);
    out.f64(part.upper);
}

template <class Part>
void read_named_bounds(Reader& in, Part& part) {
    part.name = in.text();
    part.lower = in.f64();
    part.upper = in.f64();
}

bool is_model_format(std::uint8_t value) { return value <= static_cast<std::uint8_t>(ModelFormat::mathprog); }

}  // namespace

std::string encode_request(const ModelBoxRequest& request) {
    Writer out;
    out.bytes(kRequestMark);
    out.u8(static_cast<std::uint8_t>(request.format));
    out.text(request.model_text);
    out.maybe_text(request.data_text);
    out.text(request.model_name);
    out.maybe_text(request.data_name);
    out.u64(request.memory_mib);
    out.u64(request.cpu_seconds);
    return out.take();
}

std::optional<ModelBoxRequest> decode_request(std::string_view bytes) {
    Reader in(bytes);
    ModelBoxRequest request;
    in.mark(kRequestMark);
    const std::uint8_t format = in.u8();
    if (!is_model_format(format)) return std::nullopt;
    request.format = static_cast<ModelFormat>(format);
    request.model_text = in.text();
    request.data_text = in.maybe_text();
    request.model_name = in.text();
    request.data_name = in.maybe_text();
    request.memory_mib = in.u64();
    request.cpu_seconds = in.u64();
    if (!in.at_end()) return std::nullopt;
    return request;
}

std::string encode_result(const ModelBoxResult& result) {
    Writer out;
    out.bytes(kResultMark);
    out.u8(static_cast<std::uint8_t>(result.kind));
    if (result.kind != ModelBoxResult::Kind::model) {
        out.text(result.message);
        return out.take();
    }
    const LpModel& model = result.model;
    out.u8(model.maximize ? 1 : 0);
    out.f64(model.constant);
    out.text(model.name);
    out.u64(model.columns.size());
    for (const LpModel::Column& column : model.columns) {
        write_named_bounds(out, column);
        out.f64(column.cost);
        out.u8(column.integer ? 1 : 0);
    }
    out.u64(model.rows.size());
    for (const LpModel::Row& row : model.rows) {
        write_named_bounds(out, row);
        out.u64(row.coefficients.size());
        for (const auto& [column, value] : row.coefficients) {
            out.u64(column);
            out.f64(value);
        }
    }
    return out.take();
}

std::optional<ModelBoxResult> decode_result(std::string_view bytes) {
    Reader in(bytes);
    ModelBoxResult result;
    in.mark(kResultMark);
    const std::uint8_t kind = in.u8();
    if (!in.ok() || kind > 2) return std::nullopt;
    result.kind = static_cast<ModelBoxResult::Kind>(kind);
    if (result.kind != ModelBoxResult::Kind::model) {
        result.message = in.text();
        if (!in.at_end()) return std::nullopt;
        return result;
    }
    LpModel& model = result.model;
    model.maximize = in.flag();
    model.constant = in.f64();
    model.name = in.text();
    const std::uint64_t columns = in.count(8 + 3 * 8 + 1);
    model.columns.resize(columns);
    for (LpModel::Column& column : model.columns) {
        read_named_bounds(in, column);
        column.cost = in.f64();
        column.integer = in.flag();
    }
    const std::uint64_t rows = in.count(8 + 2 * 8 + 8);
    model.rows.resize(rows);
    for (LpModel::Row& row : model.rows) {
        read_named_bounds(in, row);
        const std::uint64_t entries = in.count(16);
        row.coefficients.reserve(entries);
        for (std::uint64_t k = 0; k < entries && in.ok(); ++k) {
            const std::uint64_t column = in.u64();
            const double value = in.f64();
            if (column >= columns) return std::nullopt;
            row.coefficients.emplace_back(static_cast<std::uint32_t>(column), value);
        }
        if (!in.ok()) return std::nullopt;
    }
    if (!in.at_end()) return std::nullopt;
    return result;
}
