#pragma once

// The double arithmetic of the engine evaluates its expressions in x87 extended
// precision (long double with a 64-bit significand) and rounds to double only where
// it stores a result; every other expression of doubles is evaluated in double. The
// reports are compared digit for digit, so a long double of another format, or
// double expressions kept in excess precision, would give other tables. The
// configure step of CMakeLists.txt compiles this header too and stops on such a target.

#include <cfloat>
#include <limits>

static_assert(std::numeric_limits<long double>::radix == 2 && std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384,
              "QTB's double arithmetic needs long double in the x87 80-bit extended format (a 64-bit "
              "significand), as on x86 and x86-64: the tables of another format differ in their digits");
static_assert(FLT_EVAL_METHOD == 0,
              "QTB's double arithmetic needs double expressions evaluated in double (FLT_EVAL_METHOD 0); "
              "on 32-bit x86 build with -msse2 -mfpmath=sse");
