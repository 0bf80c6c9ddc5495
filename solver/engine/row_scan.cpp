#include "solver/engine/row_scan.h"

#include <bit>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

bool all_finite(std::span<const double> a) noexcept {
    std::size_t j = 0;
#if defined(__SSE2__)
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fff'ffff'ffff'ffff));
    const __m128d largest = _mm_set1_pd(std::numeric_limits<double>::max());
    __m128d non_finite = _mm_setzero_pd();  // NaN fails every order, so "not <=" finds it too
    for (; j + 4 <= a.size(); j += 4) {
        const __m128d low = _mm_and_pd(_mm_loadu_pd(&a[j]), magnitude);
        const __m128d high = _mm_and_pd(_mm_loadu_pd(&a[j + 2]), magnitude);
        non_finite = _mm_or_pd(non_finite, _mm_or_pd(_mm_cmpnle_pd(low, largest), _mm_cmpnle_pd(high, largest)));
    }
    if (_mm_movemask_pd(non_finite) != 0) return false;
#endif
    for (; j < a.size(); ++j) {
        if (!std::isfinite(a[j])) return false;
    }
    return true;
}

bool has_negative_zero(std::span<const double> a) noexcept {
    constexpr auto kNegativeZero = std::bit_cast<std::uint64_t>(-0.0);
    std::size_t j = 0;
#if defined(__SSE2__)
    const __m128i negative_zero = _mm_set1_epi64x(static_cast<long long>(kNegativeZero));
    __m128i found = _mm_setzero_si128();
    for (; j + 2 <= a.size(); j += 2) {
        // Equal 32-bit halves, then both halves of one element equal.
        const __m128i equal = _mm_cmpeq_epi32(_mm_castpd_si128(_mm_loadu_pd(&a[j])), negative_zero);
        found = _mm_or_si128(found, _mm_and_si128(equal, _mm_shuffle_epi32(equal, _MM_SHUFFLE(2, 3, 0, 1))));
    }
    if (_mm_movemask_epi8(found) != 0) return true;
#endif
    for (; j < a.size(); ++j) {
        if (std::bit_cast<std::uint64_t>(a[j]) == kNegativeZero) return true;
    }
    return false;
}

bool count_nonzero(std::span<const double> a, std::span<std::int64_t> counts, double small) noexcept {
    bool found_small = false;
    std::size_t j = 0;
#if defined(__SSE2__)
    const __m128d zero = _mm_setzero_pd();
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fff'ffff'ffff'ffff));
    const __m128d limit = _mm_set1_pd(small);
    __m128d smaller = _mm_setzero_pd();
    for (; j + 2 <= a.size(); j += 2) {
        const __m128d x = _mm_loadu_pd(&a[j]);
        // "Not equal" is all ones, -1 as an integer, for a non-zero or NaN element.
        const __m128d nonzero = _mm_cmpneq_pd(x, zero);
        auto* count = reinterpret_cast<__m128i*>(&counts[j]);
        _mm_storeu_si128(count, _mm_sub_epi64(_mm_loadu_si128(count), _mm_castpd_si128(nonzero)));
        smaller = _mm_or_pd(smaller, _mm_and_pd(nonzero, _mm_cmplt_pd(_mm_and_pd(x, magnitude), limit)));
    }
    found_small = _mm_movemask_pd(smaller) != 0;
#endif
    for (; j < a.size(); ++j) {
        counts[j] += a[j] != 0.0;  // true for NaN too
        found_small = found_small || (a[j] != 0.0 && std::fabs(a[j]) < small);
    }
    return found_small;
}
