#include "charprofile/characterprofile.h"

#include <array>

#include "article/charrecord.h"
#include "langdata/big5.h"

namespace yuedu::charprofile {
namespace {

constexpr std::array<std::string_view, kProfileEntries> kFieldNames = {
    "w23456g",      "w23456s", "chiukg",    "chiuks",    "book76g",   "book76s",   "readbookg",
    "readbooks",    "lprg",    "lprs",      "cdic12g",   "cdic12s",   "bbwsrg",    "bbwsrs",
    "p468s",        "p468c",   "grade2use", "grade3use", "grade4use", "grade5use", "grade6use",
    "grademeanuse", "edupto",  "zangener",  "zanscale"};

int be16At(article::DetailRecord r, int at) {
    return (r[at] << 8) | r[at + 1];
}

} // namespace

CharacterProfile::CharacterProfile(const LanguageData &data) : m_data(&data) {}

void CharacterProfile::charprofile(std::u16string_view ch) {
    WordProfile.fill(0);
    ProfileFound = false;
    if (ch.empty())
        return;
    const int n = tableOrdinal(ch.front());
    if (n < 0)
        return;
    const auto rec = article::detailRecord(*m_data, n);
    if (!rec)
        return;
    // Seven usage categories: a grade byte and a two-byte rank each.
    for (int k = 0; k < 7; ++k) {
        WordProfile[1 + 2 * k] = (*rec)[3 * k];
        WordProfile[2 + 2 * k] = be16At(*rec, 3 * k + 1);
    }
    // Word formation, use by grade, national rank: two-byte values from byte 21 on.
    for (int e = 15; e <= 23; ++e)
        WordProfile[e] = be16At(*rec, 21 + 2 * (e - 15));
    WordProfile[24] = article::zangener(*rec);
    WordProfile[25] = article::zanscale(*rec);
    ProfileFound = true;
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
