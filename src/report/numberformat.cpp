#include "report/numberformat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace yuedu::report {
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

// Writes a number given as d.ddde±x (or plain) without its exponent: the digits moved to their
// places, zeros added as needed. Plain text comes back as it is.
std::string withoutExponent(std::string s) {
    const std::size_t e = s.find_first_of("eE");
    if (e == std::string::npos)
        return s;
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string mantissa = s.substr(0, e);
    const bool negative = !mantissa.empty() && mantissa.front() == '-';
    if (negative)
        mantissa.erase(0, 1);
    std::string digits;
    int point = 0; // digits before the point in the mantissa
    bool seenPoint = false;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        digits += c;
        if (!seenPoint)
            ++point;
    }
    point += exponent;
    std::string out;
    if (point <= 0) {
        out = "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (static_cast<std::size_t>(point) >= digits.size()) {
        out = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<std::size_t>(point)) + "." +
              digits.substr(static_cast<std::size_t>(point));
    }
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0')
            out.pop_back();
        if (out.back() == '.')
            out.pop_back();
    }
    return negative ? "-" + out : out;
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

std::u16string formatGeneral(double value) {
    if (value == 0 || std::isnan(value))
        return u" 0";
    // Seven significant digits, trailing zeros dropped, never an exponent; to_chars because the
    // toolkit switches the C library to the user's locale, where printf would write a decimal
    // comma.
    std::string s = generalNumber(value);
    const bool negative = s.front() == '-';
    if (negative)
        s.erase(0, 1);
    if (s.size() > 1 && s[0] == '0' && s[1] == '.')
        s.erase(0, 1);
    std::u16string out(1, negative ? u'-' : u' ');
    for (char c : s)
        out.push_back(static_cast<char16_t>(c));
    return out;
}

std::string generalNumber(double value) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    // A whole number is a count or a total: every digit, whatever its size.
    if (std::fabs(value) < 9007199254740992.0 && value == std::trunc(value))
        return wholeNumber(static_cast<std::int64_t>(value));
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 7).ptr;
    return withoutExponent(std::string(buf, end));
}

std::string exactNumber(double value) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    // The shortest digits that read back as the same double, in plain notation.
    char buf[400];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed).ptr;
    return std::string(buf, end);
}

double ratioToShow(double numerator, double denominator) {
    const double hundredths = std::nearbyint(100.0 * numerator / denominator);
    const double ratio = numerator / denominator;
    if (hundredths != 0 || ratio == 0 || !std::isfinite(ratio))
        return hundredths / 100;
    char buf[40];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, ratio, std::chars_format::scientific, 1).ptr;
    double kept = 0;
    std::from_chars(buf, end, kept);
    return kept;
}

std::string wholeNumber(std::int64_t value) {
    return std::to_string(value);
}

std::u16string decimalText(std::int64_t value) {
    const std::string digits = wholeNumber(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace yuedu::report
