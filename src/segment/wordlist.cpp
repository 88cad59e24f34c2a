#include "segment/wordlist.h"

namespace yuedu::seg {
namespace {

std::size_t slotOf(std::uint64_t key, int shift) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift);
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
    const std::u16string_view all(stored);
    std::size_t capacity = 16;
    shift = 60;
    while (capacity < all.size() * 4) {
        capacity *= 2;
        --shift;
    }
    shortKeys.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t n = 2; n <= kIndexedLength && i + n <= all.size(); ++n) {
            const auto sub = all.substr(i, n);
            if (n > 3) {
                longer.insert(sub);
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
    if (s.size() <= 3)
        return x.hasShort(shortKey(s));
    if (s.size() <= kIndexedLength)
        return x.longer.count(s) != 0;
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
