#include "wordstats/phsyn.h"

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"

namespace yuedu {
namespace {

// A class byte above this would name a class beyond 95.
constexpr int kHighestClassByte = 12 + kSenseClassCount;

int classOfByte(int classByte) {
    return classByte > 12 && classByte <= kHighestClassByte ? classByte - 12 : 0;
}

} // namespace

void Phsyn::SenseClasses(std::u16string &text) {
    WordList words;
    ScanPieces(text, PieceScan::Raw, words);
    std::u16string().swap(text);
    SenseClasses(std::move(words));
}

void Phsyn::SenseClasses(WordList words) {
    for (auto &list : SenseClassLists)
        list.clear();
    WordTotal = static_cast<std::int64_t>(words.size());
    if (!words.empty())
        SortWords(words, 0, words.size() - 1);
    FreqWords.clear();
    groupRuns(words,
              [this](const std::u16string &word, std::int64_t) { FreqWords.push_back(word); });
    FreqWords.shrink_to_fit();
    for (const auto &word : FreqWords)
        if (!word.empty())
            ClassifyWord(word);
}

void Phsyn::ClassifyWord(std::u16string_view w) {
    int c = senseClassOf(w);
    if (c != 0) {
        auto &list = SenseClassLists[static_cast<std::size_t>(c) - 1];
        list.append(w);
        list.append(u"\r\n");
    }
}

int Phsyn::senseClassOf(std::u16string_view w) const {
    if (w.empty() || w.size() > 4)
        return 0;
    const int ordinal = tableOrdinal(w.front());
    if (ordinal < 0)
        return 0;
    const Bytes &index = m_data.SenseIndexTable;
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

    const Bytes &records = m_data.SenseWordTable;
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

} // namespace yuedu
