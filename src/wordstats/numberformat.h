#pragma once
// Fixed-point text of single-precision figures as the result lists show them ("#0.00", "#0.0").
#include <string>

namespace yuedu::wordstats {

// The value with exactly `decimals` digits after the point and at least one before it, no
// grouping. The float is first taken at its own precision (seven significant digits), then an
// exact half is rounded away from zero: 0.125 gives "0.13", 2.5 at no decimals gives "3".
std::u16string formatFixed(float value, int decimals);

// The percentage of count in total as the frequency list stores it: computed in double, kept
// as a float. total must be positive.
float percentOf(long long count, long long total);

} // namespace yuedu::wordstats
