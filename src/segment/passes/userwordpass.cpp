#include "segment/passes/userwordpass.h"

#include <algorithm>

namespace yuedu::seg {

UserWordPass::UserWordPass(std::u16string userWords) : m_userWords(std::move(userWords)) {
    const std::u16string_view all(m_userWords);
    for (char16_t c : all)
        m_chars.set(c);
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t n = 1; n <= kLongest && i + n <= all.size(); ++n)
            m_first.try_emplace(all.substr(i, n), i + 1);
}

std::size_t UserWordPass::firstPosition(std::u16string_view s) const {
    if (s.empty())
        return m_userWords.empty() ? 0 : 1;
    if (s.size() > kLongest)
        return m_userWords.find(s) + 1; // npos + 1 == 0
    auto it = m_first.find(s);
    return it == m_first.end() ? 0 : it->second;
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
        const std::size_t h = firstPosition(s);
        if (h < 2)
            continue;
        const std::size_t after = h - 1 + static_cast<std::size_t>(n); // 0-based, at h + n
        if (m_userWords[h - 2] == u',' && after < m_userWords.size() && m_userWords[after] == u',')
            ctx.emit(static_cast<int>(s.size()));
    }
}

} // namespace yuedu::seg
