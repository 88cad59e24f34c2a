#include "segment/phrasedivider.h"

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
    : m_lexicon(lexicon), m_dictionary(std::make_unique<SegDictionary>(data)) {
    m_passes.push_back(std::make_unique<ReduplicationPass>());
    m_passes.push_back(std::make_unique<NumeralPass>());
    m_passes.push_back(std::make_unique<TimeDirectionPass>());
    m_passes.push_back(std::make_unique<VerbComplementPass>());
    m_passes.push_back(std::make_unique<UserWordPass>(lexicon.UserWords));
    m_passes.push_back(std::make_unique<PositionPass>());
    m_passes.push_back(std::make_unique<AdverbPass>());
}

PhraseDivider::~PhraseDivider() = default;

void PhraseDivider::DivideText(std::u16string_view text, const LineSink &sink) const {
    if (text.empty())
        return;
    // The scan covers the text without the ASCII blanks at either end.
    const auto first = text.find_first_not_of(u' ');
    const auto scanned = first == std::u16string_view::npos
                             ? std::u16string_view()
                             : text.substr(first, text.find_last_not_of(u' ') - first + 1);
    Segmenter(*this, scanned, sink).run();
}

std::u16string PhraseDivider::DivideText(std::u16string_view text) const {
    std::u16string result;
    result.reserve(text.size() * 2);
    DivideText(text, [&result](std::u16string_view line) { result += line; });
    return result;
}

} // namespace yuedu::seg
