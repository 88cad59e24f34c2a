#include "segment/passes/userwordpass.h"

#include <algorithm>
#include <unordered_map>

namespace yuedu::seg {

UserWordPass::UserWordPass(std::u16string userWords) : m_userWords(std::move(userWords)) {
    const std::u16string_view all(m_userWords);
    constexpr auto none = std::u16string_view::npos;
    for (char16_t c : all)
        m_chars.set(c);

    // Every string that stands between two commas somewhere, and the first characters they
    // begin with.
    std::unordered_map<std::u16string_view, std::size_t> firstAt;
    std::bitset<65536> starts;
    for (std::size_t c = 0; c < all.size(); ++c) {
        if (all[c] != u',')
            continue;
        for (std::size_t n = 2; n <= kLongest && c + 1 + n < all.size(); ++n) {
            if (all[c + 1 + n] == u',') {
                firstAt.emplace(all.substr(c + 1, n), none);
                starts.set(all[c + 1]);
            }
        }
    }
    // Where each of them is first found, possibly inside a longer word.
    for (std::size_t i = 0; i < all.size() && !firstAt.empty(); ++i) {
        if (!starts.test(all[i]))
            continue;
        for (std::size_t n = 2; n <= kLongest && i + n <= all.size(); ++n) {
            const auto it = firstAt.find(all.substr(i, n));
            if (it != firstAt.end() && it->second == none)
                it->second = i;
        }
    }
    for (const auto &[s, at] : firstAt) {
        const std::size_t after = at + s.size();
        if (at >= 1 && all[at - 1] == u',' && after < all.size() && all[after] == u',')
            m_takeable.insert(s);
    }
}

bool UserWordPass::takes(std::u16string_view s, std::size_t n) const {
    if (s.size() == n)
        return m_takeable.count(s) != 0;
    // Only within the last characters of the text, after a word was taken, is s shorter than
    // n; the comma that must follow is then still looked for n characters from where s is
    // first found.
    const std::size_t at = std::u16string_view(m_userWords).find(s);
    if (at == std::u16string_view::npos || at == 0)
        return false; // with no character before it, s is not between commas
    return m_userWords[at - 1] == u',' && at + n < m_userWords.size() &&
           m_userWords[at + n] == u',';
}

void UserWordPass::run(PassContext &ctx) const {
    // Nothing but the leading comma (or one empty line), or a character no user word holds.
    const auto t0 = ctx.T(0);
    if (m_userWords.size() < 3 || t0.empty() || !m_chars.test(t0.front()))
        return;
    const int remaining = ctx.textLen() - ctx.scanPos() + 1;
    // Longest first; after a hit the shorter lengths are still tried at the new position, so a
    // user word right behind another is taken in the same pass.
    for (int n = std::min(remaining, static_cast<int>(kLongest)); n >= 2; --n) {
        const std::u16string_view s = ctx.text(0, n);
        if (s.empty())
            return; // the text is used up
        if (takes(s, static_cast<std::size_t>(n)))
            ctx.emit(static_cast<int>(s.size()));
    }
}

void UserWordPass::firstChars(const Lexicon &, std::bitset<65536> &set) const {
    if (m_userWords.size() >= 3)
        set |= m_chars;
}

void UserWordPass::nextChars(const Lexicon &, std::bitset<65536> &next,
                             std::bitset<65536> &) const {
    // A user word has two characters at least, all of them among the words'.
    next |= m_chars;
}

} // namespace yuedu::seg
