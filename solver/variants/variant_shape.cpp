#include "solver/variants/variant_shape.h"

#include <algorithm>
#include <array>

namespace {

struct KindWord {
    std::string_view word;
    RowKind kind;
};
constexpr std::array kKindWords{KindWord{"le", RowKind::less_equal},    KindWord{"<=", RowKind::less_equal},
                                KindWord{"ge", RowKind::greater_equal}, KindWord{">=", RowKind::greater_equal},
                                KindWord{"eq", RowKind::equal},         KindWord{"=", RowKind::equal}};

bool needs_artificial(RowKind kind) { return kind != RowKind::less_equal; }

}  // namespace

std::string_view row_kind_sign(RowKind kind) {
    switch (kind) {
        case RowKind::less_equal:
            return "<=";
        case RowKind::greater_equal:
            return ">=";
        case RowKind::equal:
            break;
    }
    return "=";
}

std::optional<std::vector<RowKind>> row_kinds_named(std::string_view text) {
    std::vector<RowKind> kinds;
    while (true) {
        const auto comma = text.find(',');
        const std::string_view word = text.substr(0, comma);
        const auto* found = std::find_if(kKindWords.begin(), kKindWords.end(),
                                         [word](const KindWord& known) { return known.word == word; });
        if (found == kKindWords.end()) return std::nullopt;
        if (std::find(kinds.begin(), kinds.end(), found->kind) == kinds.end()) kinds.push_back(found->kind);
        if (comma == std::string_view::npos) return kinds;
        text.remove_prefix(comma + 1);
    }
}

std::optional<std::string> shape_refusal(const VariantShape& shape) {
    const std::vector<RowKind>& kinds = shape.model ? shape.model->rows : shape.kinds;
    if (shape.rows < 1 || shape.rows > kMaxVariantRows || shape.columns < 1 || shape.columns > kMaxVariantColumns) {
        return "размер варианта: от 1 до " + std::to_string(kMaxVariantRows) + " строк и от 1 до " +
               std::to_string(kMaxVariantColumns) + " переменных";
    }
    if (kinds.empty()) return "не указан ни один вид строк";
    const auto artificial_rows =
        static_cast<std::uint32_t>(std::count_if(kinds.begin(), kinds.end(), needs_artificial));
    if (shape.artificial && *shape.artificial && artificial_rows == 0) {
        return "искусственные переменные нужны только строкам \">=\" и \"=\", а их нет среди видов строк";
    }
    if (shape.artificial && !*shape.artificial && !shape.model &&
        std::find(kinds.begin(), kinds.end(), RowKind::less_equal) == kinds.end()) {
        return "без искусственных переменных все строки должны быть \"<=\"";
    }
    if (shape.artificial && !*shape.artificial && shape.model && artificial_rows != 0) {
        return "в образце есть строки \">=\" или \"=\": без искусственных переменных его вид не сохранить";
    }
    const std::uint32_t pivots = shape.pivots();
    if (pivots < 1 || pivots > kMaxVariantIterations) {
        return "число итераций: от 1 до " + std::to_string(kMaxVariantIterations);
    }
    // Each pivot takes at most one artificial variable out of the basis, and every one must leave.
    const std::uint32_t least = shape.model ? artificial_rows : (shape.artificial.value_or(false) ? 1U : 0U);
    const bool every_row_artificial = !shape.model && std::none_of(kinds.begin(), kinds.end(), [](RowKind kind) {
        return kind == RowKind::less_equal;
    });
    const std::uint32_t needed = every_row_artificial ? shape.rows : least;
    if (pivots < needed) {
        return "за " + std::to_string(pivots) + " итераций не вывести из базиса " + std::to_string(needed) +
               " искусственных переменных";
    }
    if (shape.model && shape.model->rows.size() != shape.rows) return "образец задачи другого размера";
    return std::nullopt;
}
