#include "databuild/bopomofo.h"

#include "langdata/constants.h"

namespace yuedu::databuild {

bool parseBopomofo(std::u16string_view s, CharRecord &r) {
    using namespace yuedu::constants;
    CharRecord out = r;
    out.initial = out.medial = out.final = out.tone = 0;
    bool toneGiven = false;
    // The neutral tone mark may stand in front of the syllable, any mark at its end.
    if (!s.empty() && s.front() == ToneMarks[1]) {
        out.tone = 1, toneGiven = true;
        s.remove_prefix(1);
    }
    if (!s.empty() && ToneMarks.find(s.back()) != std::u16string_view::npos) {
        if (toneGiven)
            return false;
        out.tone = static_cast<int>(ToneMarks.find(s.back()));
        s.remove_suffix(1);
    }
    if (s.empty())
        return false;
    int stage = 0; // the last kind seen: 1 initial, 2 medial, 3 final
    for (char16_t c : s) {
        std::size_t k;
        if ((k = BopomofoInitials.find(c)) != std::u16string_view::npos && stage < 1)
            out.initial = static_cast<int>(k) + 1, stage = 1;
        else if ((k = BopomofoMedials.find(c)) != std::u16string_view::npos && stage < 2)
            out.medial = static_cast<int>(k) + 1, stage = 2;
        else if ((k = BopomofoFinals.find(c)) != std::u16string_view::npos && stage < 3)
            out.final = static_cast<int>(k) + 1, stage = 3;
        else
            return false;
    }
    r = out;
    return true;
}

std::u16string formatBopomofo(const CharRecord &r) {
    using namespace yuedu::constants;
    std::u16string s;
    if (r.initial >= 1 && r.initial <= 21)
        s += BopomofoInitials[r.initial - 1];
    if (r.medial >= 1 && r.medial <= 3)
        s += BopomofoMedials[r.medial - 1];
    if (r.final >= 1 && r.final <= 13)
        s += BopomofoFinals[r.final - 1];
    if (!s.empty() && r.tone >= 1 && r.tone <= 4)
        s += ToneMarks[r.tone];
    return s;
}

void setPhoneCode(std::uint16_t phone, CharRecord &r) {
    r.initial = phone >> 9;
    r.medial = (phone >> 7) & 3;
    r.final = (phone >> 3) & 15;
    r.tone = phone & 7;
}

int radicalEntryOfKangxi(int kangxi) {
    if (kangxi < 1 || kangxi > 214)
        return 0;
    return kangxi <= 34 ? kangxi : kangxi - 1;
}

int kangxiOfRadicalEntry(int entry) {
    if (entry < 1 || entry > 213)
        return 0;
    return entry <= 34 ? entry : entry + 1;
}

} // namespace yuedu::databuild
