#include "segment/segdictionary.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#ifdef __linux__
#include <sys/mman.h>
#endif
#include <string>

#include "common/nearlysorted.h"
#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"
#include "langdata/languagedata.h"

namespace yuedu::seg {
namespace {

// The number of two-byte units of the group that a five-byte index entry points at in its word
// table, 0 for none. A group whose entry is malformed (a first byte of 0x80 or above) or that
// runs past the end of the table cannot be read, and counts as no group at all.
std::size_t groupUnits(const std::uint8_t *e, std::size_t tableSize) {
    if (e[0] >= 0x80 || e[3] >= 0x80)
        return 0;
    const std::size_t start = layout::be24(e);
    const std::size_t length = layout::be16(e + 3);
    if (start == 0)
        return 0;
    // Units of two bytes from the 1-based position start while i <= start + length - 1; an odd
    // length reads one byte beyond the group.
    const std::size_t units = (length + 1) / 2;
    if (start - 1 + units * 2 > tableSize)
        return 0;
    return units;
}

// A unit below 0x80 is two single-byte characters, so a group decodes to units to 2 * units.
std::size_t decodedLength(const std::uint8_t *e, const std::uint8_t *table, std::size_t units) {
    std::size_t n = units;
    const std::uint8_t *p = table + (layout::be24(e) - 1);
    std::size_t u = 0;
    // Four units at a time: the high bit of each first byte, added up in the top 16 bits.
    for (; u + 4 <= units; u += 4, p += 8) {
        const std::uint64_t firsts = std::uint64_t(p[0]) | std::uint64_t(p[2]) << 16 |
                                     std::uint64_t(p[4]) << 32 | std::uint64_t(p[6]) << 48;
        const std::uint64_t high = firsts >> 7 & 0x0001000100010001ULL;
        n += 4 - static_cast<std::size_t>(high * 0x0001000100010001ULL >> 48);
    }
    for (; u < units; ++u, p += 2)
        n += p[0] < 0x80;
    return n;
}

// Writes the characters of the group at out (decodedLength of them).
char16_t *decodeInto(const std::uint8_t *e, const std::uint8_t *table, std::size_t units,
                     char16_t *out) {
    const CodePage950 &cp = CodePage950::instance();
    const std::uint8_t *p = table + (layout::be24(e) - 1);
    for (std::size_t u = 0; u < units; ++u, p += 2) {
        if (p[0] >= 0x80) {
            *out++ = cp.unicodeOf(static_cast<std::uint16_t>((p[0] << 8) | p[1]));
        } else {
            // Two single-byte characters; a lone byte of 0x80 or above has no character.
            *out++ = static_cast<char16_t>(p[0]);
            *out++ = p[1] < 0x80 ? static_cast<char16_t>(p[1]) : u'\uFFFD';
        }
    }
    return out;
}

// A long-word slot: the 1-based position of the substring in the decoded groups (19 bits), its
// length (2 bits) and 11 bits of the hash that the home slot does not use.
constexpr int kPosBits = 19;
constexpr std::uint32_t kPosMask = (1U << kPosBits) - 1;

// How many characters ahead of the one it indexes a group's indexing asks for slots.
constexpr std::uint32_t kIndexAhead = 32;

// Slots are written while other threads may probe past them (for other groups).
std::uint32_t loadSlot(std::uint32_t &s) {
    return std::atomic_ref<std::uint32_t>(s).load(std::memory_order_relaxed);
}
void storeSlot(std::uint32_t &s, std::uint32_t v) {
    std::atomic_ref<std::uint32_t>(s).store(v, std::memory_order_relaxed);
}

} // namespace

std::u16string SegDictionary::DirectGroups::decode(int ordinal) const {
    const std::uint8_t *e = entries.data() + 5 * static_cast<std::size_t>(ordinal);
    const std::size_t units = groupUnits(e, table.size());
    std::u16string group(units == 0 ? 0 : decodedLength(e, table.data(), units), u'\0');
    decodeInto(e, table.data(), units, group.data());
    return group;
}

void SegDictionary::FlatTable::Release::operator()(std::uint32_t *p) const {
#ifdef __linux__
    munmap(p, bytes);
#else
    std::free(p);
#endif
}

void SegDictionary::FlatTable::size(std::size_t keys, int width) {
    std::size_t capacity = 16;
    shift = 60;
    while (capacity < keys) {
        capacity *= 2;
        --shift;
    }
    mask = capacity - 1;
    const std::size_t bytes = capacity * width * sizeof(std::uint32_t);
#ifdef __linux__
    // Aligned to 2 MB so that the kernel may back the table with huge pages.
    constexpr std::size_t kHuge = std::size_t(2) << 20;
    const std::size_t mapped = bytes < kHuge ? bytes : bytes + kHuge;
    void *p = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    auto *base = static_cast<char *>(p);
    char *table = base;
    if (mapped != bytes) {
        table = base + (kHuge - reinterpret_cast<std::uintptr_t>(base) % kHuge) % kHuge;
        if (table != base)
            munmap(base, static_cast<std::size_t>(table - base));
        if (table + bytes != base + mapped)
            munmap(table + bytes, static_cast<std::size_t>(base + mapped - (table + bytes)));
        madvise(table, bytes, MADV_HUGEPAGE);
    }
    slots = std::unique_ptr<std::uint32_t[], Release>(reinterpret_cast<std::uint32_t *>(table),
                                                      Release{bytes});
#else
    auto *table =
        static_cast<std::uint32_t *>(std::calloc(capacity * width, sizeof(std::uint32_t)));
    if (!table)
        throw std::bad_alloc();
    slots = std::unique_ptr<std::uint32_t[], Release>(table, Release{bytes});
#endif
}

SegDictionary::SegDictionary(const LanguageData &data, std::size_t searchBudget)
    : m_wordGroup(kTableChars, 0), m_auxGroup(kTableChars, 0), m_ordinals(tableOrdinals()),
      m_indexing(std::make_unique<std::mutex>()), m_searchBudget(searchBudget),
      m_searched(std::make_unique<std::atomic<std::size_t>>(0)) {
    layOut(data, false);
    layOut(data, true);
    m_groupsOf.reserve(kTableChars);
    for (auto w = m_wordGroup.begin(), a = m_auxGroup.begin(); w != m_wordGroup.end(); ++w, ++a)
        m_groupsOf.push_back(*w | std::uint32_t(*a) << 16);
}

void SegDictionary::layOut(const LanguageData &data, bool aux) {
    const std::uint8_t *entries =
        data.SegIndexTable.data() + (aux ? layout::kSegAuxBlock : std::size_t(0));
    const Bytes &table = aux ? data.SegAuxTable : data.SegWordTable;
    std::vector<std::uint16_t> &groupOf = aux ? m_auxGroup : m_wordGroup;
    Groups &groups = aux ? m_auxGroups : m_wordGroups;
    groups.entries = entries;
    groups.table = table.data();
    groups.tableSize = table.size();

    // Entries with the same extent share one indexed group: the first ordinal that has it. The
    // entries with a group are gathered in ordinal order, and looked at in the order of their
    // extents (a sound file lays its groups out in that order already) to find the shared ones.
    struct Extent {
        std::uint64_t extent; // start << 32 | units
        int ordinal;
    };
    std::vector<Extent> extents;
    extents.reserve(kTableChars);
    const std::uint8_t *e = entries;
    for (int k = 0; k < kTableChars; ++k, e += 5)
        if (const std::size_t units = groupUnits(e, table.size()); units != 0)
            extents.push_back({std::uint64_t(layout::be24(e)) << 32 | units, k});
    const auto before = [](const Extent &a, const Extent &b) {
        return a.extent != b.extent ? a.extent < b.extent : a.ordinal < b.ordinal;
    };
    std::vector<Extent> sorted;
    if (!std::is_sorted(extents.begin(), extents.end(), before)) {
        sorted = extents;
        sortNearlySorted(sorted, before);
    }
    const std::vector<Extent> &byExtent = sorted.empty() ? extents : sorted;
    // Marked here, given the group of the first one once the groups are numbered.
    constexpr std::uint16_t kShared = 0xFFFE;
    bool anyShared = false;
    for (std::size_t i = 1; i < byExtent.size(); ++i)
        if (byExtent[i].extent == byExtent[i - 1].extent) {
            groupOf[byExtent[i].ordinal] = kShared;
            anyShared = true;
        }

    // Side by side, the groups decode to at most one character per byte of the table; more
    // means groups that overlap, which are left to be searched at lookup time. The characters
    // are counted before anything is sized, so nothing grows.
    const std::size_t budget = table.size();
    std::size_t indexed = 0;
    bool anyDirect = false;
    groups.ordinal.assign(1, -1);
    groups.begin.assign(1, 0);
    for (const Extent &x : extents) {
        const int k = x.ordinal;
        if (groupOf[k] == kShared)
            continue;
        const std::size_t chars =
            decodedLength(entries + 5 * k, table.data(), static_cast<std::uint32_t>(x.extent));
        if (indexed + chars > budget) {
            groupOf[k] = kDirect;
            anyDirect = true;
            continue;
        }
        groupOf[k] = static_cast<std::uint16_t>(groups.ordinal.size());
        groups.ordinal.push_back(k);
        groups.begin.push_back(static_cast<std::uint32_t>(indexed));
        indexed += chars;
    }
    if (anyShared)
        for (std::size_t i = 1; i < byExtent.size(); ++i)
            if (byExtent[i].extent == byExtent[i - 1].extent)
                groupOf[byExtent[i].ordinal] = groupOf[byExtent[i - 1].ordinal];
    groups.begin.push_back(static_cast<std::uint32_t>(indexed));
    groups.chars.reset(new char16_t[indexed + 1]);
    groups.state.reset(new std::atomic<std::uint8_t>[groups.ordinal.size()]);
    for (std::size_t g = 0; g < groups.ordinal.size(); ++g)
        groups.state[g].store(kUntouched, std::memory_order_relaxed);
    if (aux) {
        m_aux.size(3 * indexed);
    } else {
        // Each slot is the key and its position side by side, so a hit reads one cache line.
        m_words.size(2 * indexed, 2);
    }
    if (anyDirect) {
        DirectGroups &direct = aux ? m_auxDirect : m_wordDirect;
        direct.table.assign(table.begin(), table.end());
        direct.entries.assign(entries, entries + 5 * kTableChars);
    }
}

// The probes of the scan, inline where it asks.
inline std::uint32_t SegDictionary::wordPositionFrom(std::uint32_t key, std::size_t i) const {
    std::uint32_t *slots = m_words.slots.get();
    const std::size_t mask = m_words.mask;
    for (;; i = (i + 1) & mask) {
        const std::uint32_t s = loadSlot(slots[2 * i]);
        if (s == key)
            return slots[2 * i + 1];
        if (s == 0)
            return 0;
    }
}

inline std::int64_t SegDictionary::longKey(std::uint16_t group, const char16_t *p, int n,
                                           std::uint64_t h, std::uint64_t pair) const {
    const std::uint32_t tag = static_cast<std::uint32_t>(h >> (m_aux.shift - 11) & 0x7FF) << 21 |
                              std::uint32_t(n) << kPosBits;
    std::uint32_t *slots = m_aux.slots.get();
    const std::size_t last = m_aux.mask;
    // A slot's position is trusted only inside this group, whose characters are all written.
    const std::uint32_t from = m_auxGroups.begin[group], to = m_auxGroups.begin[group + 1];
    const char16_t *chars = m_auxGroups.chars.get();
    for (std::size_t i = longHome(pair, n);; i = (i + 1) & last) {
        const std::uint32_t s = loadSlot(slots[i]);
        if (s == 0)
            return -1;
        if ((s & ~kPosMask) != tag)
            continue;
        const std::uint32_t at = (s & kPosMask) - 1;
        if (at >= from && at + n <= to && chars[at] == p[0] && (n < 2 || chars[at + 1] == p[1]) &&
            (n < 3 || chars[at + 2] == p[2]))
            return at;
    }
}

bool SegDictionary::prepare(bool aux, std::uint16_t g) const {
    const Groups &groups = aux ? m_auxGroups : m_wordGroups;
    // A search reads the group at most once for each of the three answers.
    const std::size_t reads = std::size_t(3) * (groups.begin[g + 1] - groups.begin[g]) + 1;
    const bool search =
        m_searched->fetch_add(reads, std::memory_order_relaxed) + reads <= m_searchBudget;
    if (search && groups.state[g].load(std::memory_order_acquire) == kDecoded)
        return false;
    const std::lock_guard<std::mutex> lock(*m_indexing);
    std::uint8_t state = groups.state[g].load(std::memory_order_relaxed);
    if (state == kUntouched) {
        const std::uint8_t *e = groups.entries + 5 * static_cast<std::size_t>(groups.ordinal[g]);
        decodeInto(e, groups.table, groupUnits(e, groups.tableSize),
                   groups.chars.get() + groups.begin[g]);
        state = kDecoded;
        groups.state[g].store(state, std::memory_order_release);
    }
    if (state == kIndexed || !search) {
        if (state != kIndexed) {
            if (aux)
                indexAux(g);
            else
                indexWords(g);
            groups.state[g].store(kIndexed, std::memory_order_release);
        }
        return true;
    }
    return false;
}

std::uint32_t SegDictionary::searchWord(std::uint16_t group, char16_t c) const {
    const char16_t *chars = m_wordGroups.chars.get();
    const char16_t *from = chars + m_wordGroups.begin[group],
                   *to = chars + m_wordGroups.begin[group + 1];
    const char16_t *at = std::find(from, to, c);
    return at == to ? 0 : static_cast<std::uint32_t>(at - from + 1);
}

std::int64_t SegDictionary::searchLong(std::uint16_t group, const char16_t *p, int n) const {
    const std::uint32_t from = m_auxGroups.begin[group];
    const std::u16string_view chars(m_auxGroups.chars.get() + from,
                                    m_auxGroups.begin[group + 1] - from);
    const std::size_t at = chars.find(std::u16string_view(p, static_cast<std::size_t>(n)));
    return at == std::u16string_view::npos ? -1 : static_cast<std::int64_t>(from + at);
}

void SegDictionary::indexWords(std::uint16_t g) const {
    const char16_t *chars = m_wordGroups.chars.get();
    std::uint32_t *slots = m_words.slots.get();
    // (group, character) fits 30 bits and is never 0; only its first position is kept.
    const std::uint32_t from = m_wordGroups.begin[g], to = m_wordGroups.begin[g + 1];
    // The slots of the characters a little further on load while these are written.
    const auto slotOf = [&](std::uint32_t i) {
        return slots + 2 * m_words.home(m_words.hash(g | std::uint32_t(chars[i]) << 14));
    };
    for (std::uint32_t i = from; i < to && i < from + kIndexAhead; ++i)
        __builtin_prefetch(slotOf(i), 1);
    for (std::uint32_t i = from; i < to; ++i) {
        if (i + kIndexAhead < to)
            __builtin_prefetch(slotOf(i + kIndexAhead), 1);
        const std::uint32_t key = g | std::uint32_t(chars[i]) << 14;
        for (std::size_t s = m_words.home(m_words.hash(key));; s = (s + 1) & m_words.mask) {
            const std::uint32_t v = loadSlot(slots[2 * s]);
            if (v == key)
                break;
            if (v == 0) {
                slots[2 * s + 1] = i - from + 1;
                storeSlot(slots[2 * s], key);
                break;
            }
        }
    }
}

void SegDictionary::indexAux(std::uint16_t g) const {
    const char16_t *chars = m_auxGroups.chars.get();
    std::uint32_t *slots = m_aux.slots.get();
    const std::uint32_t from = m_auxGroups.begin[g], end = m_auxGroups.begin[g + 1];
    // The slots of the substrings a little further on load while these are written.
    const auto prefetch = [&](std::uint32_t i) {
        if (i + 2 <= end)
            __builtin_prefetch(slots + m_aux.home(m_aux.hash(longHashKey(g, chars + i, 2))), 1);
    };
    for (std::uint32_t i = from; i < end && i < from + kIndexAhead; ++i)
        prefetch(i);
    for (std::uint32_t i = from; i < end; ++i) {
        if (i + kIndexAhead < end)
            prefetch(i + kIndexAhead);
        for (int n = 2; n <= 3 && i + n <= end; ++n) {
            // Only the first occurrence is kept: a two-character key's position is read from it.
            // One probe sequence finds it or the free slot it goes to.
            const char16_t *p = chars + i;
            const std::uint64_t h = m_aux.hash(longHashKey(g, p, n));
            const std::uint32_t tag =
                static_cast<std::uint32_t>(h >> (m_aux.shift - 11) & 0x7FF) << 21 | std::uint32_t(n)
                                                                                        << kPosBits;
            const std::size_t home = longHome(n == 2 ? h : m_aux.hash(longHashKey(g, p, 2)), n);
            for (std::size_t s = home;; s = (s + 1) & m_aux.mask) {
                const std::uint32_t v = loadSlot(slots[s]);
                if (v == 0) {
                    storeSlot(slots[s], tag | (i + 1));
                    break;
                }
                if ((v & ~kPosMask) != tag)
                    continue;
                const std::uint32_t at = (v & kPosMask) - 1;
                if (at >= from && at + n <= end && chars[at] == p[0] &&
                    (n < 2 || chars[at + 1] == p[1]) && (n < 3 || chars[at + 2] == p[2]))
                    break;
            }
        }
    }
}

std::uint32_t SegDictionary::wordPosition(std::uint16_t group, char16_t c) const {
    const std::uint32_t key = group | std::uint32_t(c) << 14;
    return wordPositionFrom(key, m_words.home(m_words.hash(key)));
}

std::int64_t SegDictionary::longKey(std::uint16_t group, const char16_t *p, int n) const {
    return longKey(group, p, n, m_aux.hash(longHashKey(group, p, n)),
                   m_aux.hash(longHashKey(group, p, 2)));
}

std::uint8_t SegDictionary::finishProbe(const char16_t *p, const Probe &probe) const {
    std::uint8_t answers = 0;
    if (const std::uint16_t g = probe.wordGroup; g == kDirect) {
        answers |= LookupTwoCharWord(std::u16string_view(p, 2)) != 0 ? kTwo : 0;
    } else if (g != 0) {
        const std::uint32_t at = indexed(false, g)
                                     ? wordPositionFrom(g | std::uint32_t(p[1]) << 14, probe.word)
                                     : searchWord(g, p[1]);
        answers |= at != 0 ? kTwo : 0;
    }
    if (const std::uint16_t g = probe.auxGroup; g == kDirect) {
        answers |= static_cast<std::uint8_t>(LookupLongWord(std::u16string_view(p, 4)));
        answers |= LookupLongWord(std::u16string_view(p, 3)) != 0 ? kPair : 0;
    } else if (g != 0) {
        const bool index = indexed(true, g);
        const std::int64_t at =
            index ? longKey(g, p + 1, 2, probe.pair, probe.pair) : searchLong(g, p + 1, 2);
        if (at >= 0) {
            answers |= kPair;
            if ((index ? longKey(g, p + 1, 3, probe.triple, probe.pair)
                       : searchLong(g, p + 1, 3)) >= 0)
                answers |= 4;
            else if ((at - m_auxGroups.begin[g]) % 2 == 0)
                answers |= 3;
        }
    }
    return answers;
}

bool SegDictionary::finishPair(const char16_t *p, const Probe &probe) const {
    const std::uint16_t g = probe.auxGroup;
    if (g == kDirect)
        return LookupLongWord(std::u16string_view(p, 3)) != 0;
    if (g == 0)
        return false;
    return (indexed(true, g) ? longKey(g, p + 1, 2, probe.pair, probe.pair)
                             : searchLong(g, p + 1, 2)) >= 0;
}

int SegDictionary::LookupTwoCharWord(std::u16string_view p) const {
    if (p.empty())
        return 0;
    const int k = tableOrdinal(p.front());
    if (k < 0 || m_wordGroup[k] == 0)
        return 0;
    if (p.size() == 1)
        return 1; // the empty string is found at the start of any non-empty group
    if (m_wordGroup[k] == kDirect) {
        const std::size_t at = m_wordDirect.decode(k).find(p[1]);
        return at == std::u16string::npos ? 0 : static_cast<int>(at + 1);
    }
    const std::uint16_t g = m_wordGroup[k];
    return static_cast<int>(indexed(false, g) ? wordPosition(g, p[1]) : searchWord(g, p[1]));
}

int SegDictionary::LookupLongWord(std::u16string_view p) const {
    if (p.empty())
        return 0;
    const int k = tableOrdinal(p.front());
    if (k < 0 || m_auxGroup[k] == 0)
        return 0;
    if (m_auxGroup[k] == kDirect) {
        const std::u16string group = m_auxDirect.decode(k);
        if (group.find(p.substr(1, 3)) != std::u16string::npos)
            return 4;
        const std::size_t h = group.find(p.substr(1, 2)); // 0-based: even is an odd position
        return h != std::u16string::npos && h % 2 == 0 ? 3 : 0;
    }
    // Characters 2 to 4 anywhere in the group: a four-character word (or, on a shorter window,
    // one that starts here). Characters 2 to 3 must be there first, so a miss on them settles it.
    if (p.size() == 1)
        return 4; // the empty string is in any non-empty group
    const std::uint16_t id = m_auxGroup[k];
    const bool index = indexed(true, id);
    if (p.size() == 2) {
        // Only at the very end of a text: the group is searched for the one character.
        const char16_t *chars = m_auxGroups.chars.get();
        return std::find(chars + m_auxGroups.begin[id], chars + m_auxGroups.begin[id + 1], p[1]) !=
                       chars + m_auxGroups.begin[id + 1]
                   ? 4
                   : 0;
    }
    const auto find = [&](int n) {
        return index ? longKey(id, p.data() + 1, n) : searchLong(id, p.data() + 1, n);
    };
    const std::int64_t at = find(2);
    if (at < 0)
        return 0;
    if (p.size() == 3 || find(3) >= 0)
        return 4;
    // Else a three-character word, where its tail is first found at an odd position.
    return (at - m_auxGroups.begin[id]) % 2 == 0 ? 3 : 0;
}

} // namespace yuedu::seg
