#include "segment/wordlist.h"

namespace yuedu::seg {
namespace {

std::size_t slotOf(std::uint64_t key, int shift) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift);
}

std::uint64_t longHash(std::u16string_view s) {
    std::uint64_t h = s.size();
    for (char16_t c : s)
        h = (h ^ c) * 0x9E3779B97F4A7C15ULL;
    return h ^ h >> 29;
}

std::size_t capacityFor(std::size_t keys, int &shift) {
    std::size_t capacity = 16;
    shift = 60;
    while (capacity < keys) {
        capacity *= 2;
        --shift;
    }
    return capacity;
}

} // namespace

std::uint64_t WordList::shortKey(std::u16string_view s) {
    std::uint64_t key = std::uint64_t(s.size()) << 48;
    for (std::size_t i = 0; i < s.size(); ++i)
        key |= std::uint64_t(s[i]) << (16 * i);
    return key;
}

WordList::Index::Index(std::u16string s) : stored(std::move(s)) {
    for (char16_t c : stored)
        chars.set(c);
}

void WordList::Index::build() const {
    const std::lock_guard<std::mutex> lock(building);
    if (built.load(std::memory_order_relaxed))
        return;
    const std::u16string_view all(stored);
    const std::size_t capacity = capacityFor(all.size() * 4, shift);
    shortKeys.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    // The longer substrings are few enough for a table that stays at most two-thirds full, and
    // need no allocation each.
    const std::size_t longKeys = all.size() * (kIndexedLength - 3);
    longer.assign(capacityFor(longKeys + longKeys / 2, longShift), 0);
    const std::size_t longMask = longer.size() - 1;
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t n = 2; n <= kIndexedLength && i + n <= all.size(); ++n) {
            const auto sub = all.substr(i, n);
            if (n > 3) {
                if (hasLong(sub))
                    continue;
                std::size_t at = static_cast<std::size_t>(longHash(sub) >> longShift);
                while (longer[at] != 0)
                    at = (at + 1) & longMask;
                longer[at] = static_cast<std::uint32_t>((i + 1) << 3 | (n - 4));
                continue;
            }
            const std::uint64_t key = shortKey(sub);
            for (std::size_t at = slotOf(key, shift);; at = (at + 1) & mask) {
                if (shortKeys[at] == key)
                    break;
                if (shortKeys[at] == 0) {
                    shortKeys[at] = key;
                    break;
                }
            }
        }
    }
    built.store(true, std::memory_order_release);
}

bool WordList::Index::hasShort(std::uint64_t key) const {
    const std::size_t mask = shortKeys.size() - 1;
    for (std::size_t at = slotOf(key, shift);; at = (at + 1) & mask) {
        if (shortKeys[at] == key)
            return true;
        if (shortKeys[at] == 0)
            return false;
    }
}

bool WordList::Index::hasLong(std::u16string_view s) const {
    const std::size_t mask = longer.size() - 1;
    const std::u16string_view all(stored);
    for (std::size_t at = static_cast<std::size_t>(longHash(s) >> longShift);;
         at = (at + 1) & mask) {
        const std::uint32_t v = longer[at];
        if (v == 0)
            return false;
        if ((v & 7) + 4 == s.size() && all.substr((v >> 3) - 1, s.size()) == s)
            return true;
    }
}

WordList::WordList(std::u16string stored)
    : m_index(std::make_shared<const Index>(std::move(stored))) {}

const std::u16string &WordList::stored() const {
    static const std::u16string none;
    return m_index ? m_index->stored : none;
}

bool WordList::containsString(std::u16string_view s) const {
    if (!m_index)
        return false;
    const Index &x = *m_index;
    if (s.empty())
        return !x.stored.empty();
    if (s.size() == 1)
        return x.chars.test(s.front());
    // Most text characters are in no given list: two bit tests settle the usual case before
    // any hashing.
    if (!x.chars.test(s[0]) || !x.chars.test(s[1]))
        return false;
    x.ready();
    if (s.size() <= 3)
        return x.hasShort(shortKey(s));
    if (s.size() <= kIndexedLength)
        return x.hasLong(s);
    return std::u16string_view(x.stored).find(s) != std::u16string_view::npos;
}

std::u16string joinWords(std::initializer_list<std::u16string_view> entries, bool lastSeparator) {
    std::u16string out;
    std::size_t i = 0;
    for (auto e : entries) {
        out += e;
        if (++i < entries.size() || lastSeparator)
            out += u'\u0001';
    }
    return out;
}

} // namespace yuedu::seg
