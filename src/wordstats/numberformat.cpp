#include "wordstats/numberformat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace yuedu::wordstats {
namespace {

constexpr int kSignificant = 7;

// Adds one to a string of decimal digits.
void increment(std::string &digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

std::u16string formatFixed(float value, int decimals) {
    if (decimals < 0)
        decimals = 0;
    if (!std::isfinite(value))
        return std::isnan(value) ? u"NaN" : (value < 0 ? u"-Infinity" : u"Infinity");

    // Seven significant digits d.dddddd and a decimal exponent: value = D * 10^(exp - 6).
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*e", kSignificant - 1, static_cast<double>(value));
    bool negative = buf[0] == '-';
    const char *p = buf + (negative ? 1 : 0);
    std::string mantissa;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa += *p;
    int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

    // n = round(D * 10^shift), an exact half away from zero.
    int shift = exponent - (kSignificant - 1) + decimals;
    std::string n;
    if (shift >= 0) {
        n = mantissa + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        std::size_t cut = static_cast<std::size_t>(-shift);
        if (cut > mantissa.size()) {
            n = "0";
        } else {
            n = mantissa.substr(0, mantissa.size() - cut);
            if (n.empty())
                n = "0";
            if (mantissa[mantissa.size() - cut] >= '5')
                increment(n);
        }
    }
    std::size_t lead = n.find_first_not_of('0');
    n = lead == std::string::npos ? "0" : n.substr(lead);
    if (n.size() < static_cast<std::size_t>(decimals) + 1)
        n.insert(0, static_cast<std::size_t>(decimals) + 1 - n.size(), '0');
    if (decimals > 0)
        n.insert(n.size() - static_cast<std::size_t>(decimals), 1, '.');
    if (negative && n.find_first_not_of("0.") != std::string::npos)
        n.insert(0, 1, '-');
    return std::u16string(n.begin(), n.end());
}

float percentOf(long long count, long long total) {
    return static_cast<float>(static_cast<double>(count) / static_cast<double>(total) * 100.0);
}

} // namespace yuedu::wordstats
