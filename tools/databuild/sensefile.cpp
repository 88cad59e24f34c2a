#include "databuild/sensefile.h"

#include <unordered_set>

#include "common/errors.h"
#include "databuild/tablewriter.h"
#include "langdata/big5.h"
#include "langdata/datalayout.h"
#include "langdata/textcodec.h"

namespace yuedu::databuild {
namespace {

constexpr const char *kSenseTable = "sense dictionary";
constexpr const char *kCharTable = "character records";
constexpr const char *kDetailTable = "detail records";
constexpr std::size_t kMaxBlockBytes = 32767;

std::array<std::uint8_t, 4> packRecord(const CharRecord &c, std::u16string_view who);

std::string inQuotes(std::u16string_view s) {
    return "'" + toUtf8(s) + "'";
}

// Ordinal of a character that owns its table slot. The private-use codes C6A1..C8FE fold onto
// ordinals of ordinary hanzi, so writing one would overwrite that hanzi's entry: refused.
int ownOrdinal(char16_t c, const char *table, std::u16string_view context) {
    int n = tableOrdinal(c);
    if (n < 0 || charOfOrdinal(n) != c)
        throw FormatError(table, "the character " + inQuotes(std::u16string_view(&c, 1)) + " of " +
                                     inQuotes(context) + " is not a Big5 hanzi");
    return n;
}

void checkRange(int value, int low, int high, const char *table, std::u16string_view who,
                const char *field) {
    if (value < low || value > high)
        throw FormatError(table, std::string(field) + " " + std::to_string(value) + " of " +
                                     inQuotes(who) + " is outside " + std::to_string(low) + ".." +
                                     std::to_string(high));
}

struct WordSlot {
    std::string tail; // Big5 codes of characters 2..L
    int senseClass;
};

void writeSenseTables(const std::vector<SenseWord> &words, Bytes &index, Bytes &records,
                      SenseFileReport &report) {
    // blocks[L - 2][ordinal] = records of the words of length L that begin with that hanzi.
    std::vector<std::vector<std::vector<WordSlot>>> blocks(
        3, std::vector<std::vector<WordSlot>>(kTableChars));
    std::unordered_set<std::u16string> seen;
    for (const SenseWord &w : words) {
        if (w.word.empty() || w.word.size() > 4)
            throw FormatError(kSenseTable, "the word " + inQuotes(w.word) +
                                               " does not have one to four characters");
        checkRange(w.senseClass, 1, 95, kSenseTable, w.word, "the sense class");
        int n = ownOrdinal(w.word[0], kSenseTable, w.word);
        std::string tail = encodeBig5Strict(std::u16string_view(w.word).substr(1),
                                            std::string(kSenseTable) + " (" + toUtf8(w.word) + ")");
        if (!seen.insert(w.word).second) {
            ++report.duplicates;
            continue;
        }
        ++report.words[w.word.size() - 1];
        if (w.word.size() == 1)
            index[2 * n] = static_cast<std::uint8_t>(w.senseClass + 12);
        else
            blocks[w.word.size() - 2][n].push_back({std::move(tail), w.senseClass});
    }

    std::size_t used = 0;
    for (std::size_t len = 2; len <= 4; ++len) {
        const std::size_t base = len == 2   ? layout::kSenseBlock2
                                 : len == 3 ? layout::kSenseBlock3
                                            : layout::kSenseBlock4;
        for (int n = 0; n < kTableChars; ++n) {
            const auto &block = blocks[len - 2][n];
            if (block.empty())
                continue;
            const std::size_t bytes = block.size() * 2 * len;
            if (bytes > kMaxBlockBytes)
                throw FormatError(kSenseTable, "too many words of " + std::to_string(len) +
                                                   " characters begin with " +
                                                   inQuotes(std::u16string(1, charOfOrdinal(n))));
            if (used + bytes > records.size())
                throw FormatError(kSenseTable, "the words do not fit the " +
                                                   std::to_string(records.size()) +
                                                   " bytes of the word records");
            putBE24(index, base + 5 * n, static_cast<std::uint32_t>(used + 1));
            putBE16(index, base + 5 * n + 3, static_cast<std::uint32_t>(bytes));
            for (const WordSlot &s : block) {
                for (char b : s.tail)
                    records[used++] = static_cast<std::uint8_t>(b);
                records[used++] = static_cast<std::uint8_t>(s.senseClass + 12);
                records[used++] = 0;
            }
        }
    }
    report.wordBytes = used;
}

void writeCharRecords(const std::vector<CharEntry> &chars, Bytes &table, SenseFileReport &report) {
    std::vector<bool> seen(kTableChars);
    for (const CharEntry &e : chars) {
        const std::u16string who(1, e.ch);
        int n = ownOrdinal(e.ch, kCharTable, who);
        if (seen[n])
            throw FormatError(kCharTable, "the character " + inQuotes(who) + " is given twice");
        seen[n] = true;
        auto bytes = packRecord(e.record, who);
        std::copy(bytes.begin(), bytes.end(), table.begin() + 4 * n);
        ++report.charRecords;
    }
}

void putDetail(Bytes &table, std::size_t at, const DetailRecord &d, std::u16string_view who) {
    auto be16 = [&](std::size_t offset, int value, const char *field) {
        checkRange(value, 0, 0xFFFF, kDetailTable, who, field);
        putBE16(table, at + offset, static_cast<std::uint32_t>(value));
    };
    for (std::size_t i = 0; i < d.usage.size(); ++i) {
        checkRange(d.usage[i].grade, 0, 255, kDetailTable, who, "a usage grade");
        table[at + 3 * i] = static_cast<std::uint8_t>(d.usage[i].grade);
        be16(3 * i + 1, d.usage[i].rank, "a usage rank");
    }
    be16(21, d.p468s, "the word-formation degree");
    be16(23, d.p468c, "the word-formation count");
    for (std::size_t i = 0; i < d.gradeUse.size(); ++i)
        be16(25 + 2 * i, d.gradeUse[i], "a use by grade");
    be16(35, d.grademeanuse, "the use over all grades");
    be16(37, d.edupto, "the national rank");
    checkRange(d.zangener, 0, 15, kDetailTable, who, "the general-use level");
    table[at + 39] = static_cast<std::uint8_t>(d.zangener);
    checkRange(d.zanscale, 0, 32767, kDetailTable, who, "the difficulty coefficient");
    putBE16(table, at + 40, static_cast<std::uint32_t>(d.zanscale));
}

void writeDetails(const std::vector<DetailEntry> &details, Bytes &table, SenseFileReport &report) {
    if (details.size() > layout::kDetailRecords)
        throw FormatError(kDetailTable, std::to_string(details.size()) +
                                            " records do not fit the " +
                                            std::to_string(layout::kDetailRecords) + " places");
    std::vector<bool> seen(kTableChars);
    std::size_t r = 0;
    for (const DetailEntry &e : details) {
        const std::u16string who(1, e.ch);
        int n = ownOrdinal(e.ch, kDetailTable, who);
        if (seen[n])
            throw FormatError(kDetailTable, "the character " + inQuotes(who) + " is given twice");
        seen[n] = true;
        ++r;
        putBE16(table, 2 * n, static_cast<std::uint32_t>(r));
        putDetail(table, layout::kDetailIndexSize + (r - 1) * layout::kDetailRecordSize, e.record,
                  who);
    }
    report.detailRecords = r;
}

std::array<std::uint8_t, 4> packRecord(const CharRecord &c, std::u16string_view who) {
    checkRange(c.initial, 0, 21, kCharTable, who, "the initial");
    checkRange(c.medial, 0, 3, kCharTable, who, "the medial");
    checkRange(c.final, 0, 13, kCharTable, who, "the final");
    checkRange(c.tone, 0, 4, kCharTable, who, "the tone");
    checkRange(c.radical, 1, 213, kCharTable, who, "the radical");
    checkRange(c.strokes, 1, 35, kCharTable, who, "the stroke count");
    return {static_cast<std::uint8_t>(c.initial << 3 | c.medial),
            static_cast<std::uint8_t>(c.final << 4 | c.tone), static_cast<std::uint8_t>(c.radical),
            static_cast<std::uint8_t>(c.strokes)};
}

} // namespace

std::array<std::uint8_t, 4> packCharRecord(const CharRecord &record) {
    return packRecord(record, u"the record");
}

std::string buildSenseFile(const SenseSources &sources, SenseFileReport *report) {
    SenseFileReport local;
    Bytes index(layout::kSenseIndexSize), words(layout::kSenseWordSize);
    Bytes chars(layout::kCharRecordSize), details(layout::kCharDetailSize);
    writeSenseTables(sources.words, index, words, local);
    writeCharRecords(sources.chars, chars, local);
    writeDetails(sources.details, details, local);
    if (report)
        *report = local;
    std::string image;
    image.reserve(layout::kSenseFileSize);
    for (const Bytes *t : {&index, &words, &chars, &details})
        image.append(reinterpret_cast<const char *>(t->data()), t->size());
    return image;
}

} // namespace yuedu::databuild
