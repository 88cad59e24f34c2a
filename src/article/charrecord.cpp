#include "article/charrecord.h"

#include <array>

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

int detailField(DetailRecord r, int field) {
    const auto be16At = [&r](int at) { return (r[at] << 8) | r[at + 1]; };
    if (field >= 1 && field <= 14) {
        const int k = (field - 1) / 2;
        return field % 2 == 1 ? r[3 * k] : be16At(3 * k + 1);
    }
    if (field >= 15 && field <= 23)
        return be16At(21 + 2 * (field - 15));
    if (field == 24)
        return zangener(r);
    if (field == 25)
        return zanscale(r);
    return 0;
}

DetailCoverage detailCoverage(const LanguageData &data) {
    // Every field is a bit field of its bytes, so a field is filled in some record exactly when
    // it is in the bytes of all the records OR-ed together (worked out when the data is loaded).
    const std::array<std::uint8_t, kDetailBytes> any =
        data.DetailBytesInUse ? *data.DetailBytesInUse : detailBytesInUse(data);
    DetailCoverage coverage;
    for (int f = 1; f <= kDetailFields; ++f)
        coverage.filled[static_cast<std::size_t>(f - 1)] = detailField(DetailRecord(any), f) != 0;
    return coverage;
}

int generalUseLevelOf(const LanguageData &data, int ordinal) {
    const auto rec = detailRecord(data, ordinal);
    return generalUseLevel(rec ? zangener(*rec) : 0);
}

} // namespace yuedu::article
