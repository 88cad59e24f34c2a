#include "charprofile/characterprofile.h"

#include <array>
#include <vector>

#include "article/charrecord.h"
#include "langdata/big5.h"
#include "langdata/hanzi.h"

namespace yuedu::charprofile {
namespace {

constexpr std::array<std::string_view, kProfileEntries> kFieldNames = {
    "w23456g",      "w23456s", "chiukg",    "chiuks",    "book76g",   "book76s",   "readbookg",
    "readbooks",    "lprg",    "lprs",      "cdic12g",   "cdic12s",   "bbwsrg",    "bbwsrs",
    "p468s",        "p468c",   "grade2use", "grade3use", "grade4use", "grade5use", "grade6use",
    "grademeanuse", "edupto",  "zangener",  "zanscale"};

} // namespace

CharFigures charprofile(const LanguageData &data, std::u16string_view ch) {
    CharFigures f;
    if (ch.empty())
        return f;
    f.ch = std::u16string(1, ch.front());
    const int n = tableOrdinal(ch.front());
    if (n < 0)
        return f;
    const auto rec = article::detailRecord(data, n);
    if (!rec)
        return f;
    for (int e = 1; e <= kProfileEntries; ++e)
        f.WordProfile[static_cast<std::size_t>(e) - 1] = article::detailField(*rec, e);
    f.ProfileFound = true;
    return f;
}

CharFigures CharProfileResult::at(const LanguageData &data, std::size_t i) const {
    if (i >= ProfileCharList.size())
        return {};
    return charprofile(data, std::u16string_view(ProfileCharList).substr(i, 1));
}

std::size_t CharProfileResult::distinctCount() const {
    std::vector<bool> seen(0x10000, false);
    std::size_t n = 0;
    for (char16_t ch : ProfileCharList)
        if (!seen[ch]) {
            seen[ch] = true;
            ++n;
        }
    return n;
}

CharProfileResult characterProfiles(const LanguageData &data, std::u16string_view text) {
    return {tableCharacters(text), article::detailCoverage(data), countExtraHanzi(text).total};
}

std::u16string figureText(const CharProfileResult &result, const CharFigures &figures, int entry) {
    if (!result.hasData(entry))
        return {};
    return wordProfileText(entry, figures.figure(entry));
}

std::u16string tableCharacters(std::u16string_view text) {
    std::u16string list;
    for (char16_t ch : text)
        if (isTableChar(ch))
            list.push_back(ch);
    return list;
}

std::string_view wordProfileFieldName(int entry) {
    return entry >= 1 && entry <= kProfileEntries ? kFieldNames[entry - 1] : std::string_view();
}

bool isHundredths(int entry) {
    return (entry >= 17 && entry <= 22) || entry == 25;
}

std::u16string wordProfileText(int entry, std::int32_t value) {
    const bool negative = value < 0;
    const std::int64_t magnitude = negative ? -static_cast<std::int64_t>(value) : value;
    std::string s;
    if (!isHundredths(entry)) {
        s = std::to_string(magnitude);
    } else {
        s = std::to_string(magnitude / 100);
        if (int cents = static_cast<int>(magnitude % 100); cents != 0) {
            s += '.';
            s += static_cast<char>('0' + cents / 10);
            if (cents % 10 != 0)
                s += static_cast<char>('0' + cents % 10);
        }
    }
    std::u16string out = negative ? u"-" : u"";
    for (char c : s)
        out.push_back(static_cast<char16_t>(c));
    return out;
}

} // namespace yuedu::charprofile
