#include "segment/wordlist.h"

namespace yuedu::seg {

WordList::WordList(std::u16string stored) : m_stored(std::move(stored)) {
    buildIndex();
}

WordList::WordList(const WordList& other) : m_stored(other.m_stored) {
    buildIndex();
}

WordList::WordList(WordList&& other) noexcept {
    takeFrom(std::move(other));
}

WordList& WordList::operator=(const WordList& other) {
    if (this != &other) {
        m_stored = other.m_stored;
        buildIndex();
    }
    return *this;
}

WordList& WordList::operator=(WordList&& other) noexcept {
    if (this != &other)
        takeFrom(std::move(other));
    return *this;
}

void WordList::buildIndex() {
    m_chars.reset();
    m_substrings.clear();
    for (char16_t c : m_stored)
        m_chars.set(c);
    std::u16string_view all(m_stored);
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t n = 2; n <= kIndexedLength && i + n <= all.size(); ++n)
            m_substrings.insert(all.substr(i, n));
}

// A long string keeps its buffer when moved, and with it the views of the index; a short one
// lives inside the object, so its index is built anew.
void WordList::takeFrom(WordList&& other) noexcept {
    const char16_t* buffer = other.m_stored.data();
    m_stored = std::move(other.m_stored);
    if (m_stored.data() == buffer) {
        m_chars = other.m_chars;
        m_substrings = std::move(other.m_substrings);
    } else {
        buildIndex();
    }
    other.m_stored.clear();
    other.m_chars.reset();
    other.m_substrings.clear();
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
