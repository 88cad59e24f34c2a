#pragma once
// A stand-in for the segmenter as a rule pass sees it: a text, a scan position, a small
// dictionary of two-character words and the words emitted so far.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "langdata/textcodec.h"
#include "segment/lexicon.h"
#include "segment/passcontext.h"

namespace yuedu::seg::testing {

class FakePassContext : public PassContext {
public:
    FakePassContext(std::u16string text, int scanPos, const Lexicon &lexicon,
                    std::set<std::u16string> twoCharWords = {})
        : m_text(std::move(text)), m_pos(scanPos), m_lexicon(lexicon),
          m_twoCharWords(std::move(twoCharWords)) {}

    int scanPos() const override { return m_pos; }
    int textLen() const override { return static_cast<int>(m_text.size()); }

    std::u16string_view T(int i) const override { return text(i, 1); }

    std::u16string_view text(int offset, int n) const override {
        int first = m_pos + offset, last = first + n - 1;
        first = std::max(first, 1);
        last = std::min(last, textLen());
        if (n <= 0 || first > last)
            return {};
        return std::u16string_view(m_text).substr(first - 1, last - first + 1);
    }

    void emit(int n) override {
        n = std::min(n, textLen() - m_pos + 1);
        if (n <= 0)
            return;
        m_words.emplace_back(m_text.substr(m_pos - 1, n));
        m_pos += n;
    }
    bool wordTaken() const override { return !m_words.empty(); }

    // Like the dictionary: the second character is looked for among the second characters of
    // the words that begin with the first, so a one-character string hits whenever some word
    // begins with it.
    int lookupTwoCharWord(std::u16string_view p) override {
        if (p.empty())
            return 0;
        std::u16string group;
        for (const auto &w : m_twoCharWords)
            if (w.front() == p.front())
                group += w[1];
        if (group.empty())
            return 0;
        const auto hit = group.find(p.substr(1, 1));
        return hit == std::u16string::npos ? 0 : static_cast<int>(hit) + 1;
    }
    int lookupLongWord(std::u16string_view) override { return 0; }

    const Lexicon &lexicon() const override { return m_lexicon; }

    const std::vector<std::u16string> &words() const { return m_words; }

private:
    std::u16string m_text;
    int m_pos;
    const Lexicon &m_lexicon;
    std::set<std::u16string> m_twoCharWords;
    std::vector<std::u16string> m_words;
};

// What a pass emits at a position of a text, as UTF-8 words separated by one blank. The scan
// position is just after `before`; `dictionary` holds the two-character dictionary words.
template <class Pass>
std::string emitted(const Lexicon &lex, std::string_view before, std::string_view rest,
                    const std::set<std::string> &dictionary = {}) {
    std::set<std::u16string> words;
    for (const auto &w : dictionary)
        words.insert(fromUtf8(w));
    const std::u16string head = fromUtf8(before);
    FakePassContext ctx(head + fromUtf8(rest), static_cast<int>(head.size()) + 1, lex, words);
    Pass().run(ctx);
    std::string out;
    for (const auto &w : ctx.words())
        out += (out.empty() ? "" : " ") + toUtf8(w);
    return out;
}

// A lexicon list from UTF-8 words, stored the usual way (each followed by U+0001).
inline WordList wordList(std::initializer_list<std::string_view> words) {
    std::u16string stored;
    for (auto w : words)
        stored += fromUtf8(w) + u'\u0001';
    return WordList(stored);
}

inline WordList charList(std::string_view chars) {
    return WordList(fromUtf8(chars));
}

} // namespace yuedu::seg::testing
