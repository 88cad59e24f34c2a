#include "segment/phrasedivider.h"

#include <algorithm>
#include <bitset>

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
      m_onRepeatsOnly(m_rules->onRepeatsOnly) {}

PhraseDivider::Rules::Rules(const Lexicon &lexicon, const Rules *like) {
    passes.push_back(std::make_unique<ReduplicationPass>());
    passes.push_back(std::make_unique<NumeralPass>());
    passes.push_back(std::make_unique<TimeDirectionPass>());
    passes.push_back(std::make_unique<VerbComplementPass>());
    passes.push_back(std::make_unique<UserWordPass>(lexicon.UserWords));
    passes.push_back(std::make_unique<PositionPass>());
    passes.push_back(std::make_unique<AdverbPass>());
    static_assert(sizeof(passesAt[0]) * 8 >= 7, "a bit for every pass");
    firstChars.resize(passes.size());
    passesAt = std::make_unique<std::uint8_t[]>(65536);
    // Another lexicon usually differs in the user words alone: the other passes' bits are
    // copied, and only those of passes whose characters differ are redone.
    const bool copy = like && like->passes.size() == passes.size();
    if (copy)
        std::copy_n(like->passesAt.get(), 65536, passesAt.get());
    for (std::size_t i = 0; i < passes.size(); ++i) {
        passes[i]->firstChars(lexicon, firstChars[i]);
        const auto bit = static_cast<std::uint8_t>(1U << i);
        if (passes[i]->onRepeatsOnly())
            onRepeatsOnly |= bit;
        if (copy) {
            const std::bitset<65536> &before = like->firstChars[i];
            if (firstChars[i] == before)
                continue;
            for (std::size_t c = before._Find_first(); c < before.size(); c = before._Find_next(c))
                passesAt[c] &= static_cast<std::uint8_t>(~bit);
        }
        const std::bitset<65536> &chars = firstChars[i];
        if (chars.all()) { // a pass that looks at every character
            for (std::size_t c = 0; c < chars.size(); ++c)
                passesAt[c] |= bit;
            continue;
        }
        for (std::size_t c = chars._Find_first(); c < chars.size(); c = chars._Find_next(c))
            passesAt[c] |= bit;
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
