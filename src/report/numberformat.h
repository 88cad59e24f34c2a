#pragma once
// How numbers are written wherever they leave the program: in the windows, the exports and the
// command line. Every figure is formatted here, in the C locale whatever the user's locale is.
#include <cstdint>
#include <string>

namespace yuedu::report {

// The value with exactly `decimals` digits after the point and at least one before it, no
// grouping, as the result lists show single-precision figures ("#0.00", "#0.0"). The float is
// first taken at its own precision (seven significant digits), then an exact half is rounded
// away from zero: 0.125 gives "0.13", 2.5 at no decimals gives "3".
std::u16string formatFixed(float value, int decimals);

// The percentage of count in total as the frequency list stores it: computed in double, kept
// as a float. total must be positive.
float percentOf(long long count, long long total);

// The rule for every number that leaves the program, in the windows, the exports and the
// command line alike:
// - counts and totals are whole numbers in plain digits at any size (wholeNumber);
// - a figure that is exact as it is (a stored measure divided by its scale, such as a grade of
//   2.7 or a share read back by a program) is written with the fewest digits that read back as
//   the same double: "2.7", never "2.7000000000000002" (exactNumber);
// - a derived ratio shown to people has at most seven significant digits (generalNumber);
// and none of them is ever written with an exponent: 12052650, not 1.205265e+07.

// The profile's plain general format: a leading blank for values that are not negative, at most
// seven significant digits, no zero before the point of a value between -1 and 1 (0.52 gives
// " .52"), never an exponent; a whole number keeps every digit (" 12345678").
std::u16string formatGeneral(double value);

// At most seven significant digits, trailing zeros dropped, never an exponent ("0.25",
// "0.3333333", "0.00001"); a whole number keeps every digit ("12052650").
std::string generalNumber(double value);

// The shortest plain decimal that reads back as the same double ("2.7", "53.4", "0.000001").
std::string exactNumber(double value);

// The ratio numerator / denominator as a measure keeps it for showing: to hundredths, halves to
// even (1/8 gives 0.12); where hundredths would read 0 for a ratio that is not, two significant
// digits instead (5000/1700000 gives 0.0029), so a long text's small ratio never reads 0. The
// result is the double nearest those decimals: exactNumber writes them back as they are.
double ratioToShow(double numerator, double denominator);

// Decimal digits, no grouping.
std::string wholeNumber(std::int64_t value);
std::u16string decimalText(std::int64_t value);

} // namespace yuedu::report
