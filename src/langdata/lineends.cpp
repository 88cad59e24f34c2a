#include "langdata/lineends.h"

namespace yuedu {

bool hasCrlfLineEnds(std::u16string_view text) {
    for (std::size_t i = text.find_first_of(u"\r\n"); i != std::u16string_view::npos;
         i = text.find_first_of(u"\r\n", i + 1)) {
        if (text[i] == u'\n' || i + 1 >= text.size() || text[i + 1] != u'\n')
            return false;
        ++i; // past the LF of the pair
    }
    return true;
}

void CrlfLineEnds::append(std::u16string_view piece, std::u16string &out) {
    out.reserve(out.size() + piece.size() + piece.size() / 32);
    // Runs without line ends are copied whole.
    for (std::size_t i = 0; i < piece.size();) {
        std::size_t end = i;
        while (end < piece.size() && piece[end] != u'\r' && piece[end] != u'\n')
            ++end;
        if (end > i) {
            out.append(piece.data() + i, end - i);
            m_afterCr = false;
            if (end == piece.size())
                break;
        }
        if (piece[end] == u'\r') {
            out += u"\r\n";
            m_afterCr = true;
        } else {
            // The LF of a CR LF was written with its CR.
            if (!m_afterCr)
                out += u"\r\n";
            m_afterCr = false;
        }
        i = end + 1;
    }
}

std::u16string_view CrlfLineEnds::next(std::u16string_view piece, std::u16string &buffer) {
    if (piece.empty())
        return piece;
    if (!m_afterCr && hasCrlfLineEnds(piece))
        return piece; // ends in anything but a lone CR, so nothing is pending after it
    buffer.clear();
    append(piece, buffer);
    return buffer;
}

std::u16string crlfLineEnds(std::u16string_view text) {
    std::u16string out;
    CrlfLineEnds().append(text, out);
    return out;
}

} // namespace yuedu
