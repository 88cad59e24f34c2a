#include "segment/segdictionary.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#ifdef __linux__
#include <sys/mman.h>
#endif
#include <string>

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"
#include "langdata/languagedata.h"

namespace yuedu::seg {
namespace {

// In the long-word table, the mark of a two-character key first found at an odd position (the
// bits of a third character, which such a key does not have).
constexpr std::uint64_t kOddFirst = 1ULL << 63;

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
    for (std::size_t u = 0; u < units; ++u, p += 2)
        n += p[0] < 0x80;
    return n;
}

void decodeGroup(const std::uint8_t *e, const std::uint8_t *table, std::size_t tableSize,
                 std::u16string &group) {
    group.clear();
    const std::size_t units = groupUnits(e, tableSize);
    if (units == 0)
        return;
    const CodePage950 &cp = CodePage950::instance();
    const std::uint8_t *p = table + (layout::be24(e) - 1);
    for (std::size_t u = 0; u < units; ++u, p += 2) {
        if (p[0] >= 0x80) {
            group += cp.unicodeOf(static_cast<std::uint16_t>((p[0] << 8) | p[1]));
        } else {
            // Two single-byte characters; a lone byte of 0x80 or above has no character.
            group += static_cast<char16_t>(p[0]);
            group += p[1] < 0x80 ? static_cast<char16_t>(p[1]) : u'\uFFFD';
        }
    }
}

// Adds key with its payload unless an earlier occurrence is there already (compared under mask).
void insertFirst(std::uint64_t *slots, std::size_t last, std::size_t home, std::uint64_t key,
                 std::uint64_t mask, std::uint64_t payload) {
    for (std::size_t i = home;; i = (i + 1) & last) {
        std::uint64_t &s = slots[i];
        if ((s & mask) == key)
            return;
        if (s == 0) {
            s = key | payload;
            return;
        }
    }
}

} // namespace

std::u16string SegDictionary::DirectGroups::decode(int ordinal) const {
    std::u16string group;
    decodeGroup(entries.data() + 5 * static_cast<std::size_t>(ordinal), table.data(), table.size(),
                group);
    return group;
}

void SegDictionary::FlatTable::Release::operator()(std::uint64_t *p) const {
#ifdef __linux__
    munmap(p, bytes);
#else
    std::free(p);
#endif
}

void SegDictionary::FlatTable::size(std::size_t keys) {
    std::size_t capacity = 16;
    shift = 60;
    while (capacity < keys) {
        capacity *= 2;
        --shift;
    }
    mask = capacity - 1;
    const std::size_t bytes = capacity * sizeof(std::uint64_t);
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
    slots = std::unique_ptr<std::uint64_t[], Release>(reinterpret_cast<std::uint64_t *>(table),
                                                      Release{bytes});
#else
    auto *table = static_cast<std::uint64_t *>(std::calloc(capacity, sizeof(std::uint64_t)));
    if (!table)
        throw std::bad_alloc();
    slots = std::unique_ptr<std::uint64_t[], Release>(table, Release{bytes});
#endif
}

SegDictionary::SegDictionary(const LanguageData &data)
    : m_wordGroup(kTableChars, 0), m_auxGroup(kTableChars, 0) {
    addGroups(data, false);
    addGroups(data, true);
}

void SegDictionary::addGroups(const LanguageData &data, bool aux) {
    const std::uint8_t *entries =
        data.SegIndexTable.data() + (aux ? layout::kSegAuxBlock : std::size_t(0));
    const Bytes &table = aux ? data.SegAuxTable : data.SegWordTable;
    std::vector<std::uint16_t> &groupOf = aux ? m_auxGroup : m_wordGroup;
    FlatTable &index = aux ? m_aux : m_words;

    // Entries with the same extent share one indexed group: the first ordinal that has it.
    struct Extent {
        std::uint64_t extent; // start << 32 | units
        int ordinal;
    };
    std::vector<Extent> extents;
    extents.reserve(kTableChars);
    for (int k = 0; k < kTableChars; ++k)
        if (const std::size_t units = groupUnits(entries + 5 * k, table.size()))
            extents.push_back({std::uint64_t(layout::be24(entries + 5 * k)) << 32 | units, k});
    std::sort(extents.begin(), extents.end(), [](const Extent &a, const Extent &b) {
        return a.extent != b.extent ? a.extent < b.extent : a.ordinal < b.ordinal;
    });
    std::vector<int> sharedWith(kTableChars, -1);
    for (std::size_t i = 1; i < extents.size(); ++i)
        if (extents[i].extent == extents[i - 1].extent)
            sharedWith[extents[i].ordinal] = sharedWith[extents[i - 1].ordinal] >= 0
                                                 ? sharedWith[extents[i - 1].ordinal]
                                                 : extents[i - 1].ordinal;

    // Side by side, the groups decode to at most one character per byte of the table; more
    // means groups that overlap, which are left to be searched at lookup time. The keys are
    // counted before the table is sized, so it never grows.
    const std::size_t budget = table.size();
    std::size_t indexed = 0, keys = 0;
    std::uint16_t groups = 0;
    bool anyDirect = false;
    for (int k = 0; k < kTableChars; ++k) {
        const std::size_t units = groupUnits(entries + 5 * k, table.size());
        if (units == 0)
            continue;
        if (sharedWith[k] >= 0) {
            groupOf[k] = groupOf[sharedWith[k]];
            continue;
        }
        const std::size_t chars = decodedLength(entries + 5 * k, table.data(), units);
        if (indexed + chars > budget) {
            groupOf[k] = kDirect;
            anyDirect = true;
            continue;
        }
        indexed += chars;
        keys += aux ? 3 * chars : chars;
        groupOf[k] = ++groups;
    }
    index.size(aux ? keys + keys / 4 : 2 * keys);

    const auto add = [&index](std::uint64_t key, std::uint64_t mask, std::uint64_t payload) {
        insertFirst(index.slots.get(), index.mask, index.home(key), key, mask, payload);
    };
    std::u16string g;
    std::vector<bool> done(groups + 1, false);
    for (int k = 0; k < kTableChars; ++k) {
        const std::uint16_t id = groupOf[k];
        if (id == 0 || id == kDirect || done[id])
            continue;
        done[id] = true;
        decodeGroup(entries + 5 * k, table.data(), table.size(), g);
        for (std::size_t i = 0; i < g.size(); ++i) {
            const std::uint64_t c1 = g[i];
            if (!aux) {
                add(id | c1 << 16, 0xFFFFFFFFULL, std::uint64_t(i + 1) << 32);
                continue;
            }
            add(id | 1 << 14 | c1 << 16, ~0ULL, 0);
            if (i + 1 >= g.size())
                break;
            const std::uint64_t c2 = g[i + 1];
            add(id | 2 << 14 | c1 << 16 | c2 << 32, ~kOddFirst, i % 2 == 0 ? kOddFirst : 0);
            if (i + 2 < g.size())
                add(id | 3 << 14 | c1 << 16 | c2 << 32 | std::uint64_t(g[i + 2]) << 48, ~0ULL, 0);
        }
    }
    if (anyDirect) {
        DirectGroups &direct = aux ? m_auxDirect : m_wordDirect;
        direct.table = table;
        direct.entries.assign(entries, entries + 5 * kTableChars);
    }
}

std::uint32_t SegDictionary::wordPosition(std::uint16_t group, char16_t c) const {
    const std::uint64_t key = group | std::uint64_t(c) << 16;
    const std::uint64_t *slots = m_words.slots.get();
    const std::size_t mask = m_words.mask;
    for (std::size_t i = m_words.home(key);; i = (i + 1) & mask) {
        const std::uint64_t s = slots[i];
        if ((s & 0xFFFFFFFFULL) == key)
            return static_cast<std::uint32_t>(s >> 32);
        if (s == 0)
            return 0;
    }
}

int SegDictionary::longKey(std::uint64_t key) const {
    const std::uint64_t mask = (key >> 14 & 3) == 2 ? ~kOddFirst : ~0ULL;
    const std::uint64_t *slots = m_aux.slots.get();
    const std::size_t last = m_aux.mask;
    for (std::size_t i = m_aux.home(key);; i = (i + 1) & last) {
        const std::uint64_t s = slots[i];
        if ((s & mask) == key)
            return (s & kOddFirst) && mask != ~0ULL ? 2 : 1;
        if (s == 0)
            return 0;
    }
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
    return static_cast<int>(wordPosition(m_wordGroup[k], p[1]));
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
    const std::uint64_t id = m_auxGroup[k];
    const std::uint64_t c1 = p[1];
    if (p.size() == 2)
        return longKey(id | 1 << 14 | c1 << 16) ? 4 : 0;
    const std::uint64_t two = id | 2 << 14 | c1 << 16 | std::uint64_t(p[2]) << 32;
    const int h = longKey(two);
    if (h == 0)
        return 0;
    if (p.size() == 3 ||
        longKey(id | 3 << 14 | c1 << 16 | std::uint64_t(p[2]) << 32 | std::uint64_t(p[3]) << 48))
        return 4;
    // Else a three-character word, where its tail is first found at an odd position.
    return h == 2 ? 3 : 0;
}

} // namespace yuedu::seg
