#include "segment/wordlist.h"

namespace yuedu::seg {

WordList::WordList(std::u16string stored) : m_stored(std::move(stored)) {
    for (char16_t c : m_stored)
        m_chars.set(c);
    std::u16string_view all(m_stored);
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t n = 2; n <= kIndexedLength && i + n <= all.size(); ++n)
            m_substrings.insert(all.substr(i, n));
}

bool WordList::contains(std::u16string_view s) const {
    if (s.empty())
        return !m_stored.empty();
    if (s.size() == 1)
        return m_chars.test(s.front());
    if (s.size() <= kIndexedLength)
        return m_substrings.count(s) != 0;
    return std::u16string_view(m_stored).find(s) != std::u16string_view::npos;
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
