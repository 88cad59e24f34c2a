#include "segment/passes/adverbpass.h"

#include "segment/lexicon.h"

namespace yuedu::seg {

namespace {

const WordList kDegreeChars(u"極多透死");
const WordList kLinkChars(u"要是有會");

// T0 to T4 and the strings they form, read from the text once.
class Window {
public:
    explicit Window(const PassContext &ctx) : m_chars(ctx.text(0, 5)) {}
    std::u16string_view t(std::size_t i) const { return from(i, 1); }
    std::u16string_view from(std::size_t i, std::size_t n) const {
        return i < m_chars.size() ? m_chars.substr(i, n) : std::u16string_view();
    }

private:
    std::u16string_view m_chars;
};

bool is(std::u16string_view s, char16_t c) {
    return s.size() == 1 && s.front() == c;
}
bool oneOf(std::u16string_view s, const WordList &set) {
    return s.size() == 1 && set.contains(s);
}

} // namespace

// Every test is evaluated in order and the last one that holds sets the length of the word.
void AdverbPass::run(PassContext &ctx) const {
    const Lexicon &lex = ctx.lexicon();
    const Window w(ctx);
    const auto t0 = w.t(0), t1 = w.t(1), t2 = w.t(2);

    int length = 0;
    if (InList(lex.StateAdjChars, t0) && oneOf(t1, kDegreeChars) && is(t2, u'了'))
        length = 3; // 好極了
    if (is(t0, u'不') && InList(lex.NegationPartners, t1))
        length = 2; // 不過
    if (InList(lex.AdverbWords, w.from(0, 2)))
        length = 2; // 非常
    // Substring membership: 待一會 counts through the phrase 待一會兒.
    if (InList(lex.AdverbPhrases, w.from(0, 3)))
        length = 3;
    if (InList(lex.AdverbChars, t0) && oneOf(t1, kLinkChars))
        length = 2; // 還是
    ctx.emit(length);
}

} // namespace yuedu::seg
