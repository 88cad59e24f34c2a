#pragma once
// Word segmentation of Traditional Chinese text.
//
//   yuedu::LanguageData data;            // loaddata(...)
//   auto lexicon = seg::LoadLexicon(dir); // word-class lists + userword.apd
//   seg::PhraseDivider divider(data, lexicon);
//   std::u16string result = divider.DivideText(text);
//
// The result is segmented text: every word followed by two blanks, a CR LF after the 12th word
// of the first line and after every 13th word of each further line, and a final CR LF. Only
// hanzi start words; everything else is passed over. An empty text gives an empty result; a
// text without hanzi gives just the CR LF.
//
// A PhraseDivider is built once (it indexes the dictionary) and may segment any number of
// texts, of any length. It keeps references to data and lexicon, which must outlive it.
// Segmenting keeps no state in the divider (each call works on its own scan), so several
// threads may segment with one divider at once.
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu {
class LanguageData;
}

namespace yuedu::seg {

class Lexicon;
class RulePass;
class SegDictionary;
class Segmenter;

// The rule passes of a lexicon, in the order the scan tries them at a position.
std::vector<std::unique_ptr<RulePass>> makeRulePasses(const Lexicon &lexicon);

class PhraseDivider {
public:
    PhraseDivider(const LanguageData &data, const Lexicon &lexicon);
    // With the dictionary of another divider (of the same data, made ready once) and other
    // lists.
    PhraseDivider(const PhraseDivider &tables, const Lexicon &lexicon);
    // With the dictionary of data and the lists of another divider, whose rule passes it shares.
    PhraseDivider(const LanguageData &data, const PhraseDivider &lists);
    ~PhraseDivider();
    PhraseDivider(const PhraseDivider &) = delete;
    PhraseDivider &operator=(const PhraseDivider &) = delete;

    // Segments text and returns the whole result.
    std::u16string DivideText(std::u16string_view text) const;

    // Segments text and hands out the result a line at a time (each line ends in CR LF), in
    // order. Nothing is handed out for an empty text.
    using LineSink = std::function<void(std::u16string_view line)>;
    void DivideText(std::u16string_view text, const LineSink &sink) const;

    // Segments a text that comes in pieces of any size, a line of any length too, in little
    // memory: the lines handed out are those DivideText gives for the whole text.
    class Stream {
    public:
        Stream(const PhraseDivider &divider, LineSink sink);
        ~Stream();
        void write(std::u16string_view piece);
        // The text is complete: hands out the rest.
        void finish();

    private:
        LineSink m_sink;
        std::unique_ptr<Segmenter> m_segmenter;
    };

    const SegDictionary &dictionary() const { return *m_dictionary; }
    const Lexicon &lexicon() const { return m_lexicon; }

private:
    friend class Segmenter;
    // The rule passes of a lexicon, made once and read-only afterwards. Made like those of
    // another lexicon, it takes over their characters where they are the same.
    struct Rules {
        explicit Rules(const Lexicon &lexicon, const Rules *like = nullptr);
        ~Rules();
        std::vector<std::unique_ptr<RulePass>> passes;
        // Per pass, the characters a word it takes may start with, those that may follow
        // (RulePass::nextChars), and the first characters that any may follow.
        std::vector<std::bitset<65536>> firstChars, nextChars, anyNext;
        std::unique_ptr<std::uint16_t[]> passesAt;
        std::unique_ptr<std::uint8_t[]> passesBefore;
        std::uint8_t onRepeatsOnly = 0; // the passes that take words on repeated characters only
    };
    PhraseDivider(std::shared_ptr<const SegDictionary> dictionary, const Lexicon &lexicon,
                  std::shared_ptr<const Rules> rules);
    const Lexicon &m_lexicon;
    std::shared_ptr<const SegDictionary> m_dictionary;
    std::shared_ptr<const Rules> m_rules;
    // The rule passes in the order they are tried at a position.
    const std::vector<std::unique_ptr<RulePass>> &m_passes;
    // Per character, bit i set when pass i may take a word starting with it, and bit 8 + i when
    // it may do so whatever character follows.
    const std::uint16_t *m_passesAt;
    // Per character, bit i set when pass i may take a word whose second character it is.
    const std::uint8_t *m_passesBefore;
    std::uint8_t m_onRepeatsOnly;
};

} // namespace yuedu::seg
