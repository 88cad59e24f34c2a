#pragma once
// The segmentation dictionary of dpphvbdn.byt as the segmenter asks it: is there a
// two-character word here (LookupTwoCharWord), and one of three or four characters
// (LookupLongWord).
//
// The answers are exactly those of searching the decoded group string of the first character:
// a probe matches anywhere in the group, across the boundaries of the stored tails too, and a
// three-character word counts only where its tail is first found at an odd position. They come
// from two flat open-addressing tables built at load in one pass, so a lookup is one or two
// probes whatever the group sizes:
//  - the two-character table holds (group, character) exactly in 32 bits, and beside it the
//    character's first position;
//  - the long-word table holds every substring of two and three characters of each group as a
//    32-bit slot: where it is in the decoded groups, its length and a fingerprint of the hash.
//    A matching fingerprint is verified against the decoded characters, so the slots stay small
//    enough for the tables to live in the cache and a fingerprint collision cannot change an
//    answer.
//
// Nothing is indexed at first: a group is decoded the first time it is asked about, and searched
// as it stands, until the searches have read kSearchBudget characters; from then on a group is
// indexed when it is next asked about. So start-up costs no more than reading the files, and a
// short text touches neither the tables nor the memory behind them (which the kernel would clear
// in pieces of 2 MB). Decoding and indexing take a lock; lookups of groups indexed or decoded
// already take none (the slots are read atomically, a group's slots never move once written,
// and its characters never change).
//
// Entries that point at the same stretch of a table share one indexed group, so a damaged file
// that points every character at one long group costs no more than a sound one. Groups that
// overlap otherwise are indexed until the index holds as many characters as the table has bytes;
// the remaining ones are decoded and searched at each lookup instead.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu {
class LanguageData;
}

namespace yuedu::seg {

class SegDictionary {
public:
    // How many characters lookups read in the groups as they stand before groups are indexed:
    // a text of some thousand characters.
    static constexpr std::size_t kSearchBudget = std::size_t(1) << 18;

    // searchBudget: kSearchBudget but for tests of either way of answering.
    explicit SegDictionary(const LanguageData &data, std::size_t searchBudget = kSearchBudget);

    // TwoCharHit: the 1-based position of the second character of p in the group of two-character
    // words of its first character, 0 when absent (or p empty, or its first character no table
    // character). A one-character p gives 1 when the group holds anything.
    int LookupTwoCharWord(std::u16string_view p) const;

    // LongMatchLen: 4 when characters 2 to 4 of p (as many as it has) occur in the group of
    // longer words of its first character; else 3 when characters 2 to 3 are first found there
    // at an odd position; else 0.
    int LookupLongWord(std::u16string_view p) const;

    // The three answers the scan needs at a position, from the four characters at p (all of
    // them in the text), found in two steps: start works out where the answers are and starts
    // loading those slots, finish reads them. A scan starts the positions a little ahead of it,
    // so that the cache misses of several positions overlap. finish gives
    //   LookupLongWord(p[0..4]) | (LookupLongWord(p[0..3]) != 0 ? kPair : 0)
    //                           | (LookupTwoCharWord(p[0..2]) != 0 ? kTwo : 0).
    struct Probe {
        std::uint64_t pair = 0, triple = 0; // the hashes of characters 2-3 and 2-4
        std::uint32_t word = 0;             // the home slot of the two-character word
        std::uint16_t wordGroup = 0, auxGroup = 0;
    };
    static constexpr std::uint8_t kLongMask = 7, kPair = 8, kTwo = 16;
    void startProbe(const char16_t *p, Probe &probe) const {
        const int k = m_ordinals[p[0]];
        const std::uint32_t groups = k < 0 ? 0 : m_groupsOf[k];
        probe.wordGroup = static_cast<std::uint16_t>(groups);
        probe.auxGroup = static_cast<std::uint16_t>(groups >> 16);
        if (groups == 0)
            return;
        if (const std::uint16_t g = probe.wordGroup; g != 0 && g != kDirect) {
            const std::uint32_t key = g | std::uint32_t(p[1]) << 14;
            probe.word = static_cast<std::uint32_t>(m_words.home(m_words.hash(key)));
            __builtin_prefetch(m_words.slots.get() + 2 * std::size_t(probe.word));
        }
        if (const std::uint16_t g = probe.auxGroup; g != 0 && g != kDirect) {
            probe.pair = m_aux.hash(longHashKey(g, p + 1, 2));
            probe.triple = m_aux.hash(longHashKey(g, p + 1, 3));
            __builtin_prefetch(m_aux.slots.get() + m_aux.home(probe.pair));
        }
    }
    std::uint8_t finishProbe(const char16_t *p, const Probe &probe) const;
    // Only the kPair answer of finishProbe.
    bool finishPair(const char16_t *p, const Probe &probe) const;

private:
    // A power-of-two array of 32-bit slots (0 = free), sized once before filling. The slots are
    // fresh zero pages, so the table costs no pass of clearing.
    struct FlatTable {
        struct Release {
            std::size_t bytes;
            void operator()(std::uint32_t *p) const;
        };
        std::unique_ptr<std::uint32_t[], Release> slots;
        std::size_t mask = 0;
        int shift = 64;
        void size(std::size_t keys, int width = 1); // width: 32-bit words a slot
        std::uint64_t hash(std::uint64_t key) const { return key * 0x9E3779B97F4A7C15ULL; }
        std::size_t home(std::uint64_t h) const { return static_cast<std::size_t>(h >> shift); }
    };

    // The key of the n characters at p in a group of the long-word table.
    static std::uint64_t longHashKey(std::uint16_t group, const char16_t *p, int n) {
        std::uint64_t key = group | std::uint64_t(n) << 14 | std::uint64_t(p[0]) << 16;
        if (n > 1)
            key |= std::uint64_t(p[1]) << 32;
        if (n > 2)
            key |= std::uint64_t(p[2]) << 48;
        return key;
    }

    // Per ordinal: 0 no group, kDirect searched at lookup, else the 1-based indexed group.
    static constexpr std::uint16_t kDirect = 0xFFFF;

    // A word table with the groups that are searched directly.
    struct DirectGroups {
        std::vector<std::uint8_t> table;   // a copy, only when some group needs it
        std::vector<std::uint8_t> entries; // the five index bytes of each ordinal
        std::u16string decode(int ordinal) const;
    };

    // The indexed groups of one table, side by side in one decoded string: group g is
    // chars[begin[g] .. begin[g + 1]), decoded when it is first asked about.
    enum : std::uint8_t { kUntouched, kDecoded, kIndexed };
    struct Groups {
        const std::uint8_t *entries = nullptr; // the index entries of the table in LanguageData
        const std::uint8_t *table = nullptr;
        std::size_t tableSize = 0;
        std::vector<int> ordinal;          // per group, the ordinal whose entry it decodes
        std::vector<std::uint32_t> begin;  // groups + 2 offsets
        std::unique_ptr<char16_t[]> chars; // written as the groups are decoded
        std::unique_ptr<std::atomic<std::uint8_t>[]> state;
    };

    // Sizes the groups of one table and its hash table; decodes nothing yet.
    void layOut(const LanguageData &data, bool aux);
    // Whether group g of the table is to be looked up in the index (indexing it now, if the
    // searches have used up their budget); if not, it is decoded, to be searched as it stands.
    bool indexed(bool aux, std::uint16_t g) const {
        const Groups &groups = aux ? m_auxGroups : m_wordGroups;
        return groups.state[g].load(std::memory_order_acquire) == kIndexed || prepare(aux, g);
    }
    bool prepare(bool aux, std::uint16_t g) const;
    // The answers of wordPosition and longKey, by searching the decoded group.
    std::uint32_t searchWord(std::uint16_t group, char16_t c) const;
    std::int64_t searchLong(std::uint16_t group, const char16_t *p, int n) const;
    void indexWords(std::uint16_t g) const;
    void indexAux(std::uint16_t g) const;
    std::uint32_t wordPosition(std::uint16_t group, char16_t c) const;
    // The first position (in the decoded groups) of the n characters at p in the group, or -1;
    // h is their hash.
    std::int64_t longKey(std::uint16_t group, const char16_t *p, int n) const;
    [[gnu::always_inline]] std::int64_t longKey(std::uint16_t group, const char16_t *p, int n,
                                                std::uint64_t h, std::uint64_t pair) const;
    // Where the probes of a long-word key start: a substring of three characters in the cache
    // line of its first two (pair: their hash), so that one load serves both.
    std::size_t longHome(std::uint64_t pair, int n) const {
        const std::size_t home = m_aux.home(pair);
        return n == 2 ? home : (home & ~std::size_t(15)) | ((home + 8) & 15);
    }
    [[gnu::always_inline]] std::uint32_t wordPositionFrom(std::uint32_t key,
                                                          std::size_t home) const;

    std::vector<std::uint16_t> m_wordGroup; // per ordinal, its two-character group
    std::vector<std::uint16_t> m_auxGroup;  // the same for the group of longer words
    // Per ordinal both its groups, the longer words' in the high half: a probe's first read,
    // packed so that the ordinals of the frequent hanzi share few cache lines.
    const std::int16_t *m_ordinals;
    std::vector<std::uint32_t> m_groupsOf;
    FlatTable m_words, m_aux;
    Groups m_wordGroups, m_auxGroups;
    std::unique_ptr<std::mutex> m_indexing;
    // How many characters the searches of groups as they stand may read in all, and have read.
    std::size_t m_searchBudget;
    mutable std::unique_ptr<std::atomic<std::size_t>> m_searched;
    DirectGroups m_wordDirect, m_auxDirect;
};

} // namespace yuedu::seg
