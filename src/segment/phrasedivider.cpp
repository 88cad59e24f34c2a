#include "segment/phrasedivider.h"

#include <algorithm>
#include <bitset>
#include <type_traits>

#include "segment/lexicon.h"
#include "segment/passes/adverbpass.h"
#include "segment/passes/numeralpass.h"
#include "segment/passes/positionpass.h"
#include "segment/passes/reduplicationpass.h"
#include "segment/passes/timedirectionpass.h"
#include "segment/passes/userwordpass.h"
#include "segment/passes/verbcomplementpass.h"
#include "segment/segdictionary.h"
#include "segment/segmenter.h"

namespace yuedu::seg {

PhraseDivider::PhraseDivider(const LanguageData &data, const Lexicon &lexicon)
    : PhraseDivider(std::make_shared<const SegDictionary>(data), lexicon,
                    std::make_shared<const Rules>(lexicon)) {}

PhraseDivider::PhraseDivider(const PhraseDivider &tables, const Lexicon &lexicon)
    : PhraseDivider(tables.m_dictionary, lexicon,
                    std::make_shared<const Rules>(lexicon, tables.m_rules.get())) {}

PhraseDivider::PhraseDivider(const LanguageData &data, const PhraseDivider &lists)
    : PhraseDivider(std::make_shared<const SegDictionary>(data), lists.m_lexicon, lists.m_rules) {}

PhraseDivider::PhraseDivider(std::shared_ptr<const SegDictionary> dictionary,
                             const Lexicon &lexicon, std::shared_ptr<const Rules> rules)
    : m_lexicon(lexicon), m_dictionary(std::move(dictionary)), m_rules(std::move(rules)),
      m_passes(m_rules->passes), m_passesAt(m_rules->passesAt.get()),
      m_passesBefore(m_rules->passesBefore.get()), m_onRepeatsOnly(m_rules->onRepeatsOnly) {}

std::vector<std::unique_ptr<RulePass>> makeRulePasses(const Lexicon &lexicon) {
    std::vector<std::unique_ptr<RulePass>> passes;
    passes.push_back(std::make_unique<ReduplicationPass>());
    passes.push_back(std::make_unique<NumeralPass>());
    passes.push_back(std::make_unique<TimeDirectionPass>());
    passes.push_back(std::make_unique<VerbComplementPass>());
    passes.push_back(std::make_unique<UserWordPass>(lexicon.UserWords));
    passes.push_back(std::make_unique<PositionPass>());
    passes.push_back(std::make_unique<AdverbPass>());
    return passes;
}

PhraseDivider::Rules::Rules(const Lexicon &lexicon, const Rules *like)
    : passes(makeRulePasses(lexicon)) {
    static_assert(sizeof(passesBefore[0]) * 8 >= 7, "a bit for every pass");
    firstChars.resize(passes.size());
    nextChars.resize(passes.size());
    anyNext.resize(passes.size());
    passesAt = std::make_unique<std::uint16_t[]>(65536);
    passesBefore = std::make_unique<std::uint8_t[]>(65536);
    // Another lexicon usually differs in the user words alone: the other passes' bits are
    // copied, and only those of passes whose characters differ are redone.
    const bool copy = like && like->passes.size() == passes.size();
    if (copy) {
        std::copy_n(like->passesAt.get(), 65536, passesAt.get());
        std::copy_n(like->passesBefore.get(), 65536, passesBefore.get());
    }
    // Sets bit in table for the characters of chars, after clearing it for those of before.
    const auto mark = [](auto *table, unsigned bit, const std::bitset<65536> &chars,
                         const std::bitset<65536> *before) {
        using T = std::remove_reference_t<decltype(table[0])>;
        if (before)
            for (std::size_t c = before->_Find_first(); c < before->size();
                 c = before->_Find_next(c))
                table[c] &= static_cast<T>(~bit);
        if (chars.all()) { // a pass that looks at every character
            for (std::size_t c = 0; c < chars.size(); ++c)
                table[c] |= static_cast<T>(bit);
            return;
        }
        for (std::size_t c = chars._Find_first(); c < chars.size(); c = chars._Find_next(c))
            table[c] |= static_cast<T>(bit);
    };
    for (std::size_t i = 0; i < passes.size(); ++i) {
        passes[i]->firstChars(lexicon, firstChars[i]);
        passes[i]->nextChars(lexicon, nextChars[i], anyNext[i]);
        const unsigned bit = 1U << i;
        if (passes[i]->onRepeatsOnly())
            onRepeatsOnly |= static_cast<std::uint8_t>(bit);
        const bool same = copy && firstChars[i] == like->firstChars[i] &&
                          nextChars[i] == like->nextChars[i] && anyNext[i] == like->anyNext[i];
        if (same)
            continue;
        mark(passesAt.get(), bit, firstChars[i], copy ? &like->firstChars[i] : nullptr);
        mark(passesAt.get(), bit << 8, anyNext[i], copy ? &like->anyNext[i] : nullptr);
        mark(passesBefore.get(), bit, nextChars[i], copy ? &like->nextChars[i] : nullptr);
    }
}

PhraseDivider::Rules::~Rules() = default;

PhraseDivider::~PhraseDivider() = default;

void PhraseDivider::DivideText(std::u16string_view text, const LineSink &sink) const {
    Segmenter segmenter(*this, sink);
    segmenter.write(text);
    segmenter.finish();
}

PhraseDivider::Stream::Stream(const PhraseDivider &divider, LineSink sink)
    : m_sink(std::move(sink)), m_segmenter(std::make_unique<Segmenter>(divider, m_sink)) {}

PhraseDivider::Stream::~Stream() = default;

void PhraseDivider::Stream::write(std::u16string_view piece) {
    m_segmenter->write(piece);
}

void PhraseDivider::Stream::finish() {
    m_segmenter->finish();
}

std::u16string PhraseDivider::DivideText(std::u16string_view text) const {
    std::u16string result;
    result.reserve(text.size() * 2);
    DivideText(text, [&result](std::u16string_view line) { result += line; });
    return result;
}

} // namespace yuedu::seg
