#pragma once
// Runs one rule pass on a text at a given position and records what it emits.
#include <memory>
#include <string>

#include "segment/lexicon.h"
#include "segment/passcontext.h"
#include "segment/segdictionary.h"
#include "segtestdata.h"

namespace yuedu::testing {

class PassTester final : public seg::PassContext {
public:
    explicit PassTester(const std::vector<std::u16string> &words = {})
        : m_data(segData(words)), m_dictionary(*m_data) {}

    // The words the pass emits at scanPos of text, joined by "|" (empty when none).
    std::u16string run(const seg::RulePass &pass, std::u16string_view text, int scanPos = 1) {
        m_text = text;
        m_scanPos = scanPos;
        m_emitted.clear();
        m_taken = false;
        pass.run(*this);
        return m_emitted;
    }

    int scanPos() const override { return m_scanPos; }
    int textLen() const override { return static_cast<int>(m_text.size()); }
    std::u16string_view T(int i) const override { return text(i, 1); }
    std::u16string_view text(int offset, int n) const override {
        int from = std::max(m_scanPos + offset, 1),
            to = std::min(m_scanPos + offset + n, textLen() + 1);
        return to <= from ? std::u16string_view() : m_text.substr(from - 1, to - from);
    }
    void emit(int n) override {
        const auto w = text(0, n);
        if (w.empty())
            return;
        if (m_taken)
            m_emitted += u'|';
        m_emitted += w;
        m_scanPos += static_cast<int>(w.size());
        m_taken = true;
    }
    bool wordTaken() const override { return m_taken; }
    int lookupTwoCharWord(std::u16string_view p) override {
        return m_dictionary.LookupTwoCharWord(p);
    }
    int lookupLongWord(std::u16string_view p) override { return m_dictionary.LookupLongWord(p); }
    const seg::Lexicon &lexicon() const override { return seg::Lexicon::builtIn(); }

private:
    std::unique_ptr<LanguageData> m_data;
    seg::SegDictionary m_dictionary;
    std::u16string_view m_text;
    int m_scanPos = 1;
    bool m_taken = false;
    std::u16string m_emitted;
};

} // namespace yuedu::testing
