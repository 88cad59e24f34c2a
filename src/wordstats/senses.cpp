#include "wordstats/senses.h"

#include <algorithm>

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"

namespace yuedu::wordstats {
namespace {

// A class byte above this would name a class beyond 95.
constexpr int kHighestClassByte = 12 + kSenseClassCount;

int classOfByte(int classByte) {
    return classByte > 12 && classByte <= kHighestClassByte ? classByte - 12 : 0;
}

} // namespace

std::int64_t SenseResult::classifiedCount() const {
    std::int64_t n = 0;
    for (const auto &list : SenseClassLists)
        n += std::count(list.begin(), list.end(), u'\n');
    return n;
}

SenseResult SenseClasses(const LanguageData &data, std::u16string_view text) {
    WordTally tally;
    PieceStream stream(tally, false);
    stream.write(text);
    stream.finish();
    return SenseClasses(data, tally);
}

SenseResult SenseClasses(const LanguageData &data, const PieceList &words) {
    return SenseClasses(data, tallyOf(words));
}

SenseResult SenseClasses(const LanguageData &data, const WordTally &tally) {
    SenseResult r;
    r.WordTotal = tally.total();
    const std::vector<WordTally::Entry> sorted = tally.sorted();
    r.words.reserve(sorted.size());
    for (const WordTally::Entry &e : sorted)
        r.words.emplace_back(e.word);
    for (const auto &word : r.words) {
        if (const int c = senseClassOf(data, word); c != 0) {
            auto &list = r.SenseClassLists[static_cast<std::size_t>(c) - 1];
            list.append(word);
            list.append(u"\r\n");
        }
    }
    return r;
}

int senseClassOf(const LanguageData &data, std::u16string_view w) {
    if (w.empty() || w.size() > 4)
        return 0;
    const int ordinal = tableOrdinal(w.front());
    if (ordinal < 0)
        return 0;
    const Bytes &index = data.SenseIndexTable;
    const auto o = static_cast<std::size_t>(ordinal);
    if (w.size() == 1)
        return classOfByte(index[2 * o]);

    static constexpr std::size_t kBlocks[] = {layout::kSenseBlock2, layout::kSenseBlock3,
                                              layout::kSenseBlock4};
    const std::size_t len = w.size();
    const std::uint8_t *entry = index.data() + kBlocks[len - 2] + 5 * o;
    const std::size_t pos = layout::be24(entry); // 1-based
    const std::size_t count = layout::be16(entry + 3);
    if (count == 0 || pos == 0)
        return 0;

    const Bytes &records = data.SenseWordTable;
    const CodePage950 &cp = CodePage950::instance();
    const std::size_t recordSize = 2 * len;
    // A block that runs past the table is read only as far as whole records lie inside it.
    for (std::size_t k = pos; k <= pos + count - 1 && k - 1 + recordSize <= records.size();
         k += recordSize) {
        const std::uint8_t *record = records.data() + (k - 1);
        bool match = true;
        for (std::size_t i = 1; i < len && match; ++i) {
            std::uint16_t code = static_cast<std::uint16_t>(layout::be16(record + 2 * (i - 1)));
            match = code >= 0x8000 && cp.unicodeOf(code) != u'\uFFFD' && cp.unicodeOf(code) == w[i];
        }
        if (match)
            return classOfByte(record[recordSize - 2]);
    }
    return 0;
}

} // namespace yuedu::wordstats
