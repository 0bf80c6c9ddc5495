#pragma once

#include <string_view>

// Status codes through which the reader and the engine report faults.
enum StatusCode : int {
    kNoErrors = 0,
    kCannotOpenProblemFile = 1,
    kBadAim = 2,
    kNameRedefined = 3,
    kBadSize = 4,
    kBadMatrixEntry = 5,
    kMatrixBeforeSize = 6,
    kCannotOpenReportFile = 7,
    kNoUnitColumn = 8,
    kNegativeRightHandSide = 9,
    kSizeTooLarge = 10,
    kMoreConstraintsThanVariables = 11,
    kUnbounded = 12,
    kInconsistent = 13,
    kMissingAim = 14,
    kMissingReportFile = 15,
    kBaseBeforeSize = 16,
    kBadBase = 17,
    kBadAccuracy = 18,
    kBadPrintInterval = 19,
    kUnencodableCharacter = 20,
    kBadIntegerColumns = 21,
};

inline constexpr int kStatusCodeCount = 22;

// Russian text of a status code in Windows-1251; empty for a code outside 0..21.
std::string_view status_text(int code) noexcept;
