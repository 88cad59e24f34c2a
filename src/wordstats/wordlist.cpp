#include "wordstats/wordlist.h"

#include <algorithm>

namespace yuedu::wordstats {
namespace {

constexpr char16_t kBlank = u' ';

std::u16string_view trimBlanks(std::u16string_view s) {
    std::size_t first = s.find_first_not_of(kBlank);
    if (first == std::u16string_view::npos)
        return {};
    std::size_t last = s.find_last_not_of(kBlank);
    return s.substr(first, last - first + 1);
}

} // namespace

std::size_t ScanPieceSpans(std::u16string_view text, PieceScan variant,
                           const std::function<void(std::size_t, std::u16string_view)> &found) {
    const std::size_t bound = trimBlanks(text).size();
    std::size_t count = 0;
    // Hands on the piece text[a, b) trimmed of blanks, with where it starts; an empty one only
    // when it counts even empty. Says whether it handed one on.
    const auto emit = [&](std::size_t a, std::size_t b, bool evenEmpty) {
        const std::u16string_view raw = text.substr(a, b - a);
        const std::size_t lead = raw.find_first_not_of(kBlank);
        if (lead == std::u16string_view::npos) {
            if (evenEmpty)
                found(a, {});
            return evenEmpty;
        }
        found(a + lead, trimBlanks(raw));
        return true;
    };
    // pos is 0-based; in the raw scan a piece may start only while its 1-based position is
    // below bound (the blank-trimmed length), in the clean one anywhere up to the last character
    // that is not a blank, so that a last word of one character with nothing after it counts.
    const std::size_t lastNonBlank = text.find_last_not_of(kBlank);
    std::size_t pos = 0;
    while (variant == PieceScan::Raw
               ? pos + 1 < bound
               : lastNonBlank != std::u16string_view::npos && pos <= lastNonBlank) {
        const std::size_t gap = text.find(u"  ", pos);
        if (variant == PieceScan::Raw) {
            // Without a further double blank no later position can give a piece either.
            if (gap == std::u16string_view::npos)
                break;
            found(pos, text.substr(pos, gap - pos));
            ++count;
            pos = gap + 2;
            continue;
        }
        // A line end ends a word too: text segmented by hand has nothing after the last word
        // of a line. The segmenter's lines end after a word's blanks, so what stands before
        // such a line end is empty and gives no piece; a piece before a double blank counts
        // even when empty.
        const std::size_t end = gap == std::u16string_view::npos ? text.size() : gap;
        std::size_t from = pos;
        for (std::size_t br = text.find_first_of(u"\r\n", from); br < end;
             br = text.find_first_of(u"\r\n", from)) {
            if (emit(from, br, false))
                ++count;
            from = br + (text[br] == u'\r' && br + 1 < end && text[br + 1] == u'\n' ? 2 : 1);
        }
        // The end of the text ends the last word as well (a document's last paragraph has no
        // line end); the segmenter's text ends in a line end after blanks and has nothing there.
        if (gap == std::u16string_view::npos) {
            if (emit(from, text.size(), false))
                ++count;
            break;
        }
        emit(from, gap, true);
        ++count;
        pos = gap + 2;
    }
    return count;
}

std::size_t ScanPieces(std::u16string_view text, PieceScan variant, PieceList &words) {
    return ScanPieceSpans(text, variant, [&words](std::size_t, std::u16string_view piece) {
        words.emplace_back(piece);
    });
}

std::u16string crlfLineBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            out += u'\r';
        out += text[i];
    }
    return out;
}

void SortWords(PieceList &list, std::size_t lo, std::size_t hi) {
    if (hi < lo + 1 || hi >= list.size())
        return;
    // std::u16string compares char16_t values as unsigned code units, which is the order
    // wanted; being a total order, any correct sort gives the same list.
    std::sort(list.begin() + static_cast<std::ptrdiff_t>(lo),
              list.begin() + static_cast<std::ptrdiff_t>(hi) + 1);
}

void groupRuns(const PieceList &sorted,
               const std::function<void(const std::u16string &, std::int64_t)> &close) {
    std::size_t start = 0;
    for (std::size_t i = 1; i <= sorted.size(); ++i) {
        if (i == sorted.size() || sorted[i] != sorted[start]) {
            close(sorted[start], static_cast<std::int64_t>(i - start));
            start = i;
        }
    }
}

} // namespace yuedu::wordstats
