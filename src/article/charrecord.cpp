#include "article/charrecord.h"

#include "langdata/big5.h"
#include "langdata/datalayout.h"

namespace yuedu::article {

CharRecord charRecord(const LanguageData &data, int ordinal) {
    CharRecord rec;
    const std::size_t at = static_cast<std::size_t>(ordinal) * 4;
    if (ordinal < 0 || ordinal >= kTableChars || at + 4 > data.CharRecordTable.size())
        return rec;
    const std::uint8_t *p = data.CharRecordTable.data() + at;
    rec.initial = p[0] >> 3;
    rec.medial = p[0] & 0x07;
    rec.final = p[1] >> 4;
    rec.tone = p[1] & 0x0F;
    rec.radical = p[2];
    rec.strokes = p[3];
    return rec;
}

int detailRecordNumber(const LanguageData &data, int ordinal) {
    const std::size_t at = static_cast<std::size_t>(ordinal) * 2;
    if (ordinal < 0 || ordinal >= kTableChars || at + 2 > data.CharDetailTable.size())
        return 0;
    return static_cast<int>(layout::be16(data.CharDetailTable.data() + at));
}

std::optional<DetailRecord> detailRecord(const LanguageData &data, int ordinal) {
    const int r = detailRecordNumber(data, ordinal);
    if (r == 0)
        return std::nullopt;
    const std::size_t at =
        layout::kDetailIndexSize + static_cast<std::size_t>(r - 1) * kDetailBytes;
    if (at + kDetailBytes > data.CharDetailTable.size())
        return std::nullopt;
    return DetailRecord(data.CharDetailTable.data() + at, kDetailBytes);
}

int generalUseLevelOf(const LanguageData &data, int ordinal) {
    const auto rec = detailRecord(data, ordinal);
    return generalUseLevel(rec ? zangener(*rec) : 0);
}

} // namespace yuedu::article
