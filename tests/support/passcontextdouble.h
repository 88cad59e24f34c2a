#pragma once
// The segmenter as a rule pass sees it, for running one pass in a test: a text with a scan
// position, a lexicon (the built-in one unless the test gives its own), and a real dictionary
// built with the data builder from the words the test names. It records what the pass emits.
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "langdata/textcodec.h"
#include "segment/lexicon.h"
#include "segment/passcontext.h"
#include "segment/segdictionary.h"
#include "segtestdata.h"

namespace yuedu::testing {

class PassContextDouble final : public seg::PassContext {
public:
    explicit PassContextDouble(const std::vector<std::u16string> &dictionaryWords = {},
                               const seg::Lexicon &lexicon = seg::Lexicon::builtIn())
        : m_data(segData(dictionaryWords)), m_dictionary(*m_data), m_lexicon(lexicon) {}

    // Runs pass at scanPos (1-based) of text; the words it emits joined by "|" (empty when
    // none).
    std::u16string run(const seg::RulePass &pass, std::u16string_view text, int scanPos = 1) {
        m_text = std::u16string(text);
        m_chars = m_text.data();
        m_textLen = static_cast<std::ptrdiff_t>(m_text.size());
        m_scanPos = scanPos;
        m_words.clear();
        pass.run(*this);
        std::u16string joined;
        for (const auto &w : m_words)
            joined += (joined.empty() ? u"" : u"|") + w;
        return joined;
    }
    const std::vector<std::u16string> &words() const { return m_words; }

    void emit(int n) override {
        const auto w = text(0, n);
        if (w.empty())
            return;
        m_words.emplace_back(w);
        m_scanPos += static_cast<int>(w.size());
    }
    bool wordTaken() const override { return !m_words.empty(); }
    int lookupTwoCharWord(std::u16string_view p) override {
        return m_dictionary.LookupTwoCharWord(p);
    }
    int lookupLongWord(std::u16string_view p) override { return m_dictionary.LookupLongWord(p); }
    const seg::Lexicon &lexicon() const override { return m_lexicon; }

private:
    std::unique_ptr<LanguageData> m_data;
    seg::SegDictionary m_dictionary;
    const seg::Lexicon &m_lexicon;
    std::u16string m_text;
    std::vector<std::u16string> m_words;
};

// What a pass emits at a position of a text, as UTF-8 words separated by one blank. The scan
// position is just after `before`; `dictionary` holds the dictionary's words.
template <class Pass>
std::string emitted(const seg::Lexicon &lexicon, std::string_view before, std::string_view rest,
                    const std::set<std::string> &dictionary = {}) {
    std::vector<std::u16string> words;
    for (const auto &w : dictionary)
        words.push_back(fromUtf8(w));
    const std::u16string head = fromUtf8(before);
    PassContextDouble ctx(words, lexicon);
    ctx.run(Pass(), head + fromUtf8(rest), static_cast<int>(head.size()) + 1);
    std::string out;
    for (const auto &w : ctx.words())
        out += (out.empty() ? "" : " ") + toUtf8(w);
    return out;
}

// A lexicon list from UTF-8 words, stored the usual way (each followed by U+0001).
inline seg::WordList wordList(std::initializer_list<std::string_view> words) {
    std::u16string stored;
    for (auto w : words)
        stored += fromUtf8(w) + u'\u0001';
    return seg::WordList(stored);
}

inline seg::WordList charList(std::string_view chars) {
    return seg::WordList(fromUtf8(chars));
}

} // namespace yuedu::testing
