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

// The profile's plain general format: a leading blank for values that are not negative, at most
// seven significant digits, no zero before the point of a value between -1 and 1 (0.52 gives
// " .52"), and an exponent (" 1.234568E+07") for values too large or too small for seven digits.
std::u16string formatGeneral(double value);

// At most seven significant digits, trailing zeros dropped, an exponent for values too large or
// too small for them ("0.25", "1.234568e+07"), as tables for other programs give figures.
std::string generalNumber(double value);

// Seventeen significant digits, enough to read the same double back ("2.7000000000000002"),
// as exports give figures at full precision.
std::string preciseNumber(double value);

// Decimal digits, no grouping.
std::string wholeNumber(std::int64_t value);
std::u16string decimalText(std::int64_t value);

} // namespace yuedu::report
