#include "segment/segdictionary.h"

#include <algorithm>
#include <string>

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"
#include "langdata/languagedata.h"

namespace yuedu::seg {
namespace {

// The number of two-byte units of the group that a five-byte index entry points at in its word
// table, 0 for none. A group whose entry is malformed (a first byte of 0x80 or above) or that
// runs past the end of the table cannot be read, and counts as no group at all.
std::size_t groupUnits(const std::uint8_t *e, const Bytes &table) {
    if (e[0] >= 0x80 || e[3] >= 0x80)
        return 0;
    const std::size_t start = layout::be24(e);
    const std::size_t length = layout::be16(e + 3);
    if (start == 0)
        return 0;
    // Units of two bytes from the 1-based position start while i <= start + length - 1; an odd
    // length reads one byte beyond the group.
    const std::size_t units = (length + 1) / 2;
    if (start - 1 + units * 2 > table.size())
        return 0;
    return units;
}

std::u16string decodeGroup(const std::uint8_t *e, const Bytes &table) {
    const std::size_t units = groupUnits(e, table);
    std::u16string group;
    if (units == 0)
        return group;
    const CodePage950 &cp = CodePage950::instance();
    group.reserve(units * 2);
    const std::uint8_t *p = table.data() + (layout::be24(e) - 1);
    for (std::size_t u = 0; u < units; ++u, p += 2) {
        if (p[0] >= 0x80) {
            group += cp.unicodeOf(static_cast<std::uint16_t>((p[0] << 8) | p[1]));
        } else {
            // Two single-byte characters; a lone byte of 0x80 or above has no character.
            group += static_cast<char16_t>(p[0]);
            group += p[1] < 0x80 ? static_cast<char16_t>(p[1]) : u'\uFFFD';
        }
    }
    return group;
}

std::size_t slot(std::uint64_t key, std::size_t mask) {
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    return static_cast<std::size_t>(key) & mask;
}

} // namespace

void SegDictionary::PositionIndex::reserve(std::size_t entries) {
    std::size_t capacity = 16;
    while (capacity < entries * 2)
        capacity *= 2;
    m_slots.assign(capacity, Slot{});
    m_mask = capacity - 1;
    m_size = 0;
}

void SegDictionary::PositionIndex::grow() {
    std::vector<Slot> slots = std::move(m_slots);
    reserve(std::max<std::size_t>(slots.size(), 8));
    for (const Slot &s : slots)
        if (s.key)
            insertFirst(s.key, s.position);
}

void SegDictionary::PositionIndex::insertFirst(std::uint64_t key, std::uint32_t position) {
    if (m_slots.empty() || (m_size + 1) * 2 > m_slots.size())
        grow();
    for (std::size_t i = slot(key, m_mask);; i = (i + 1) & m_mask) {
        Slot &s = m_slots[i];
        if (s.key == key)
            return; // an earlier occurrence is already there
        if (s.key == 0) {
            s = Slot{key, position};
            ++m_size;
            return;
        }
    }
}

std::uint32_t SegDictionary::PositionIndex::find(std::uint64_t key) const {
    if (m_slots.empty())
        return 0;
    for (std::size_t i = slot(key, m_mask);; i = (i + 1) & m_mask) {
        const Slot &s = m_slots[i];
        if (s.key == key)
            return s.position;
        if (s.key == 0)
            return 0;
    }
}

std::uint64_t SegDictionary::key(int ordinal, std::u16string_view s) {
    std::uint64_t k = static_cast<std::uint64_t>(ordinal) | (std::uint64_t(s.size()) << 14);
    for (std::size_t i = 0; i < s.size(); ++i)
        k |= std::uint64_t(s[i]) << (16 * (i + 1));
    return k;
}

std::u16string SegDictionary::DirectGroups::decode(int ordinal) const {
    return decodeGroup(entries.data() + 5 * static_cast<std::size_t>(ordinal), table);
}

SegDictionary::SegDictionary(const LanguageData &data)
    : m_wordGroup(kTableChars, NoGroup), m_auxGroup(kTableChars, NoGroup) {
    addGroups(data, false);
    addGroups(data, true);
}

void SegDictionary::addGroups(const LanguageData &data, bool aux) {
    const std::size_t blockOffset = aux ? layout::kSegAuxBlock : 0;
    const Bytes &table = aux ? data.SegAuxTable : data.SegWordTable;
    const std::size_t longest = aux ? 3 : 1;
    PositionIndex &index = aux ? m_aux : m_words;
    std::vector<GroupState> &state = aux ? m_auxGroup : m_wordGroup;
    DirectGroups &direct = aux ? m_auxDirect : m_wordDirect;
    // Side by side, the groups decode to at most one character per byte of the table; more
    // means groups that overlap, which are left to be searched at lookup time.
    const std::size_t budget = table.size();
    std::size_t indexed = 0;
    bool anyDirect = false;
    index.reserve(1024);
    for (int k = 0; k < kTableChars; ++k) {
        const std::uint8_t *entry = data.SegIndexTable.data() + blockOffset + 5 * k;
        const std::size_t units = groupUnits(entry, table);
        if (units == 0)
            continue;
        if (indexed + units > budget) {
            state[k] = Direct;
            anyDirect = true;
            continue;
        }
        const std::u16string group = decodeGroup(entry, table);
        indexed += group.size();
        state[k] = Indexed;
        const std::u16string_view g(group);
        for (std::size_t i = 0; i < g.size(); ++i)
            for (std::size_t n = 1; n <= longest && i + n <= g.size(); ++n)
                index.insertFirst(key(k, g.substr(i, n)), static_cast<std::uint32_t>(i + 1));
    }
    if (anyDirect) {
        direct.table = table;
        direct.entries.assign(data.SegIndexTable.begin() + blockOffset,
                              data.SegIndexTable.begin() + blockOffset + 5 * kTableChars);
    }
}

int SegDictionary::LookupTwoCharWord(std::u16string_view p) const {
    if (p.empty())
        return 0;
    const int k = tableOrdinal(p.front());
    if (k < 0 || m_wordGroup[k] == NoGroup)
        return 0;
    if (p.size() == 1)
        return 1; // the empty string is found at the start of any non-empty group
    if (m_wordGroup[k] == Direct) {
        const std::size_t at = m_wordDirect.decode(k).find(p[1]);
        return at == std::u16string::npos ? 0 : static_cast<int>(at + 1);
    }
    return static_cast<int>(m_words.find(key(k, p.substr(1, 1))));
}

int SegDictionary::LookupLongWord(std::u16string_view p) const {
    if (p.empty())
        return 0;
    const int k = tableOrdinal(p.front());
    if (k < 0 || m_auxGroup[k] == NoGroup)
        return 0;
    if (m_auxGroup[k] == Direct) {
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
    const std::uint32_t h = m_aux.find(key(k, p.substr(1, 2)));
    if (h == 0)
        return 0;
    if (p.size() <= 3 || m_aux.find(key(k, p.substr(1, 3))) != 0)
        return 4;
    // Else a three-character word, where its tail is first found at an odd position.
    return h % 2 == 1 ? 3 : 0;
}

} // namespace yuedu::seg
