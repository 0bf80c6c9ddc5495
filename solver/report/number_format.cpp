#include "solver/report/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

// The integer path: a finite double is mantissa * 2^exponent exactly, so
// |x| * 10^p = mantissa * 5^p * 2^(exponent + p). For p up to 27 the product
// mantissa * 5^p fits in 128 bits; shifting it by the power of two, with the
// dropped bits deciding the rounding (half to even), gives the exact integer
// that printf's digits spell, whenever that integer fits in 128 bits.

namespace number_format {
namespace {

__extension__ typedef unsigned __int128 uint128;

constexpr std::array<std::uint64_t, kMaxIntegerPathPrecision + 1> kPowersOfFive = [] {
    std::array<std::uint64_t, kMaxIntegerPathPrecision + 1> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 5;
    }
    return powers;
}();

constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

// "00" "01" ... "99": two digits per division.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Field widths up to this are blanked with one fixed-size store.
constexpr std::size_t kBlankStore = 32;

struct Scaled {
    bool negative;
    uint128 value;  // round-half-even of |x| * 10^precision
};

// |x| * 10^precision rounded half to even, when x is finite, the precision at
// most kMaxIntegerPathPrecision and the result below 2^128. Inlined where the
// precision is a constant, which makes 5^precision one too.
[[gnu::always_inline]] inline std::optional<Scaled> scale(double x, std::uint32_t precision) {
    if (precision > kMaxIntegerPathPrecision) return std::nullopt;
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const bool negative = (bits >> 63) != 0;
    const auto biased_exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased_exponent == 0x7FF) return std::nullopt;  // infinity or NaN

    const std::uint64_t mantissa = biased_exponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int exponent = (biased_exponent == 0 ? 1 : biased_exponent) - 1075;
    const uint128 product = static_cast<uint128>(mantissa) * kPowersOfFive[precision];  // below 2^116
    const int shift = exponent + static_cast<int>(precision);
    if (shift >= 0) {
        if (shift > 0 && (shift >= 128 || (product >> (128 - shift)) != 0)) return std::nullopt;  // too large
        return Scaled{negative, product << shift};
    }
    // Dropping 117 bits or more leaves 0 with a rest below half, so 117 stands
    // for them all. The rounding is written without branches: its outcome is
    // as random as the numbers.
    const int drop = std::min(-shift, 117);
    const uint128 value = product >> drop;
    const uint128 rest = product & ((uint128{1} << drop) - 1);
    const uint128 half = uint128{1} << (drop - 1);
    const auto up =
        static_cast<unsigned>(rest > half) | (static_cast<unsigned>(rest == half) & static_cast<unsigned>(value & 1));
    return Scaled{negative, value + up};
}

// Number of decimal digits of v (1 for 0).
int digit_count(std::uint64_t v) {
    v |= 1;
    const int guess = static_cast<int>((std::bit_width(v) * 1233) >> 12);  // 1233 / 4096 is just above log10(2)
    return guess - (v < kPowersOfTen[static_cast<std::size_t>(guess)] ? 1 : 0) + 1;
}

// Writes the decimal digits of v so that they end just before `end`; returns their start.
char* write_backward(char* end, std::uint64_t v) {
    while (v >= 100) {
        const auto pair = static_cast<std::size_t>(v % 100);
        v /= 100;
        end -= 2;
        std::memcpy(end, &kDigitPairs[2 * pair], 2);
    }
    if (v >= 10) {
        end -= 2;
        std::memcpy(end, &kDigitPairs[2 * static_cast<std::size_t>(v)], 2);
    } else {
        *--end = static_cast<char>('0' + v);
    }
    return end;
}

char* write_backward(char* end, uint128 v) {
    constexpr std::uint64_t kTenToThe19 = 10'000'000'000'000'000'000u;
    while (v > std::numeric_limits<std::uint64_t>::max()) {
        const uint128 quotient = v / kTenToThe19;
        const auto low = static_cast<std::uint64_t>(v - quotient * kTenToThe19);
        char* start = write_backward(end, low);
        end -= 19;  // the low part always takes 19 digits, with leading zeros
        while (start > end) *--start = '0';
        v = quotient;
    }
    return write_backward(end, static_cast<std::uint64_t>(v));
}

// Blanks before a text of `length` bytes in `field`; the whole field when it
// is short, with stores that may reach kBlankStore bytes past `out`.
std::size_t blank_field(char* out, std::size_t field, std::size_t length) {
    const std::size_t pad = field > length ? field - length : 0;
    if (field <= kBlankStore) {
        std::memset(out, ' ', kBlankStore);
    } else {
        std::memset(out, ' ', pad);
    }
    return pad;
}

// The eight decimal digits of v < 10^8 as ASCII, the first digit in the
// lowest byte (memory order on this little-endian machine): all eight at once
// in the lanes of one 64-bit word, 10^4, 10^2 and 10 split off by multiplications.
std::uint64_t eight_digits(std::uint64_t v) {
    static_assert(std::endian::native == std::endian::little);
    const std::uint64_t merged = (v / 10000) | ((v % 10000) << 32);
    const std::uint64_t hundreds_high = ((merged * 10486) >> 20) & ((0x7FULL << 32) | 0x7F);
    const std::uint64_t hundreds = ((merged - 100 * hundreds_high) << 16) + hundreds_high;
    std::uint64_t tens = ((hundreds * 103) >> 10) & ((0xFULL << 48) | (0xFULL << 32) | (0xFULL << 16) | 0xF);
    tens += (hundreds - 10 * tens) << 8;
    return tens + 0x3030303030303030ULL;
}

// The common case: a scaled value below 2^64 and a precision P up to 19, a
// constant, so that every division below is a multiplication. The text goes
// straight to its place, right-aligned in `field`, in fixed-size stores that
// may reach 8 bytes past its end; returns the end.
template <std::uint32_t P>
char* write_small(char* out, std::size_t field, bool negative, std::uint64_t scaled) {
    constexpr std::uint64_t kScale = kPowersOfTen[P];
    constexpr std::size_t kFractionLength = P > 0 ? P + 1 : 0;
    const std::uint64_t integer = scaled / kScale;
    std::uint64_t fraction = scaled % kScale;
    const auto integer_digits = static_cast<std::size_t>(digit_count(integer));
    const std::size_t sign = negative ? 1 : 0;
    const std::size_t length = sign + integer_digits + kFractionLength;
    char* const start = out + blank_field(out, field, length);
    char* const point = start + sign + integer_digits;

    *start = '-';  // overwritten by the first digit when the number is not negative
    if (integer < 100'000'000) {
        // All eight digits, shifted so that the leading zeros fall off the front.
        const std::uint64_t digits = eight_digits(integer) >> (8 * (8 - integer_digits));
        std::memcpy(start + sign, &digits, 8);
    } else {
        write_backward(point, integer);
    }
    if constexpr (P > 0) {
        *point = '.';
        if constexpr (P <= 8) {
            const std::uint64_t digits = eight_digits(fraction) >> (8 * (8 - P));
            std::memcpy(point + 1, &digits, 8);
        } else {
            char* q = point + kFractionLength;
            for (std::uint32_t k = 0; k + 2 <= P; k += 2) {
                q -= 2;
                std::memcpy(q, &kDigitPairs[2 * static_cast<std::size_t>(fraction % 100)], 2);
                fraction /= 100;
            }
            if constexpr (P % 2 == 1) *--q = static_cast<char>('0' + fraction);
        }
    }
    return point + kFractionLength;
}

// Any scaled value at any precision of the integer path, without padding.
char* write_wide(char* out, const Scaled& scaled, std::uint32_t precision) {
    std::array<char, 48> digits;  // up to 39 digits of a 128-bit value, or precision + 1 <= 28
    char* const digits_end = digits.data() + digits.size();
    char* start = write_backward(digits_end, scaled.value);
    while (digits_end - start < static_cast<std::ptrdiff_t>(precision) + 1) *--start = '0';
    const auto integer_digits = static_cast<std::size_t>(digits_end - start) - precision;
    if (scaled.negative) *out++ = '-';
    std::memcpy(out, start, integer_digits);
    out += integer_digits;
    if (precision > 0) {
        *out++ = '.';
        std::memcpy(out, start + integer_digits, precision);
        out += precision;
    }
    return out;
}

// printf's text through the standard library, for what the integer path leaves.
FixedText format_with_to_chars(double x, std::uint32_t precision, char* buffer) {
    const std::uint32_t written = std::min(precision, kMaxSignificantDecimals);
    const auto result =
        std::to_chars(buffer, buffer + kMaxFixedLength, x, std::chars_format::fixed, static_cast<int>(written));
    assert(result.ec == std::errc{});  // the buffer holds the longest text
    FixedText text;
    text.length = static_cast<std::size_t>(result.ptr - buffer);
    if (std::isfinite(x)) text.zeros = precision - written;
    return text;
}

// A text made elsewhere, right-aligned in the field.
char* put_in_field(char* out, std::size_t field, const char* text, std::size_t length) {
    char* const start = out + blank_field(out, field, length);
    std::memcpy(start, text, length);
    return start + length;
}

// A number into a field at any precision: the integer path where it applies, else std::to_chars.
char* write_field_general(double x, std::uint32_t precision, std::size_t field, char* out) {
    if (const auto scaled = scale(x, precision)) {
        std::array<char, 48> text;
        return put_in_field(out, field, text.data(),
                            static_cast<std::size_t>(write_wide(text.data(), *scaled, precision) - text.data()));
    }
    std::array<char, kMaxFixedLength> text;
    const FixedText number = format_with_to_chars(x, precision, text.data());
    assert(number.zeros == 0);  // precision <= kMaxSignificantDecimals
    return put_in_field(out, field, text.data(), number.length);
}

// The writer of one small precision P: the integer path with every constant
// known, for numbers whose scaled value fits in 64 bits.
template <std::uint32_t P>
char* write_field(double x, std::uint32_t /*precision*/, std::size_t field, char* out) {
    const auto scaled = scale(x, P);
    if (scaled && scaled->value <= std::numeric_limits<std::uint64_t>::max()) [[likely]] {
        return write_small<P>(out, field, scaled->negative, static_cast<std::uint64_t>(scaled->value));
    }
    return write_field_general(x, P, field, out);
}

constexpr std::uint32_t kMaxSmallPrecision = 19;  // 10^19 is the largest power of ten in 64 bits

constexpr auto kFieldWriters = []<std::size_t... P>(std::index_sequence<P...>) {
    return std::array<FieldWriter::Write, sizeof...(P)>{&write_field<static_cast<std::uint32_t>(P)>...};
}
(std::make_index_sequence<kMaxSmallPrecision + 1>{});

}  // namespace

FieldWriter::FieldWriter(std::uint32_t precision)
    : write_(precision <= kMaxSmallPrecision ? kFieldWriters[precision] : &write_field_general), precision_(precision) {
    assert(precision <= kMaxSignificantDecimals);
}

char* format_fixed_in_field(double x, std::uint32_t precision, std::size_t field, char* out) {
    return FieldWriter(precision)(x, field, out);
}

std::size_t format_fixed_integer_path(double x, std::uint32_t precision, char* buffer) {
    if (!scale(x, precision)) return 0;
    return static_cast<std::size_t>(FieldWriter(precision)(x, 0, buffer) - buffer);
}

FixedText format_fixed(double x, std::uint32_t precision, char* buffer) {
    if (precision <= kMaxSignificantDecimals)
        return {static_cast<std::size_t>(FieldWriter(precision)(x, 0, buffer) - buffer), 0};
    return format_with_to_chars(x, precision, buffer);
}

std::string to_fixed(double x, std::uint32_t precision) {
    std::array<char, kMaxFixedLength> buffer;
    const FixedText text = format_fixed(x, precision, buffer.data());
    std::string result(buffer.data(), text.length);
    result.append(text.zeros, '0');
    return result;
}

}  // namespace number_format
