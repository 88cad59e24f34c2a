#pragma once
// Small reading aids shared by the rule passes.
#include <string>
#include <string_view>

#include "segment/passcontext.h"
#include "segment/wordlist.h"

namespace yuedu::seg {

// T0 to T4 and the strings they form, read from the text once per position.
class PassWindow {
public:
    explicit PassWindow(const PassContext &ctx) : m_chars(ctx.text(0, 5)) {}
    std::u16string_view t(std::size_t i) const { return from(i, 1); }
    std::u16string_view from(std::size_t i, std::size_t n) const {
        return i < m_chars.size() ? m_chars.substr(i, n) : std::u16string_view();
    }

private:
    std::u16string_view m_chars;
};

// A plain comparison with one character: an empty read never equals it.
inline bool is(std::u16string_view s, char16_t c) {
    return s.size() == 1 && s.front() == c;
}

// "is one of" a literal set: a plain comparison, so an empty read is not one of them.
inline bool oneOf(std::u16string_view s, const WordList &set) {
    return s.size() == 1 && set.contains(s);
}

// TxTy as one string (either may be an empty read).
inline std::u16string join(std::u16string_view a, std::u16string_view b) {
    std::u16string s(a);
    s += b;
    return s;
}

} // namespace yuedu::seg
