#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The payment summary that Calculate writes into rows 1 to 5 of the grid, in the order it is written.
// A step either writes one cell or sets the grid's row count (the column count is kept).
enum class SummaryValue {
    Caption,       // the caption of the step, as written
    ShownPayment,  // the monthly payment rounded to cents
    TaxText,       // Text4 as the user typed it
    InsuranceText, // Text5 as the user typed it
    Total,         // shown payment + Text5 + Text4
    None,          // a row-count step
};

struct SummaryStep {
    int row; // for a row-count step: the new row count
    int column;
    SummaryValue value;
    std::string_view caption;
    bool bold;
    bool autoFit;
    std::uint32_t backColor;
};

namespace Summary {

constexpr std::uint32_t kWhite = 16777215;
constexpr std::uint32_t kRed = 255;
constexpr std::uint32_t kYellow = 65535;

constexpr SummaryStep rowCount(int rows) {
    return {rows, 0, SummaryValue::None, {}, false, false, 0};
}

inline constexpr std::array<SummaryStep, 14> kSteps{{
    {1, 0, SummaryValue::Caption, "Montly PayMent: ", true, false, kWhite},
    {1, 1, SummaryValue::ShownPayment, {}, true, true, kRed},
    rowCount(3),
    {2, 0, SummaryValue::Caption, "Tax: ", false, false, kWhite},
    {2, 1, SummaryValue::TaxText, {}, false, false, kYellow},
    rowCount(4),
    {3, 0, SummaryValue::Caption, "Annual Insur: ", false, false, kWhite},
    {3, 1, SummaryValue::InsuranceText, {}, false, false, kYellow},
    rowCount(5),
    {4, 0, SummaryValue::Caption, "---------------------", false, false, kYellow},
    {4, 1, SummaryValue::Caption, "-------------", false, false, kYellow},
    rowCount(6),
    {5, 0, SummaryValue::Caption, "Total Amount To Pay Monthly =", true, true, kRed},
    {5, 1, SummaryValue::Total, {}, true, true, kRed},
}};

// The total is formed just before the grid grows to its sixth row, after the hyphen row is written.
inline constexpr std::size_t kTotalStep = 11;

} // namespace Summary
