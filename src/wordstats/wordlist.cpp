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
    // pos is 0-based; a piece may start only while its 1-based position is below bound.
    std::size_t pos = 0;
    while (pos + 1 < bound) {
        std::size_t gap = text.find(u"  ", pos);
        // Without a further double blank no later position can give a piece either.
        if (gap == std::u16string_view::npos)
            break;
        std::u16string_view piece = text.substr(pos, gap - pos);
        std::size_t start = pos;
        if (variant == PieceScan::Clean) {
            // The segmenter breaks lines after the blanks of a word, so the next word's piece
            // starts with the break; only the first break of a piece is dropped.
            std::size_t br = piece.find(u"\r\n");
            if (br != std::u16string_view::npos) {
                piece.remove_prefix(br + 2);
                start += br + 2;
            }
            const std::size_t lead = piece.find_first_not_of(kBlank);
            start += lead == std::u16string_view::npos ? 0 : lead;
            piece = trimBlanks(piece);
        }
        found(start, piece);
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
