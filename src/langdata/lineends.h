#pragma once
// Line ends as the analyses count them. A text's lines may end in CR LF (a document window, a
// Windows file), LF or a lone CR; every figure is taken as if each of them were CR LF, so the
// same text gives the same figures whichever way its file was written.
#include <string>
#include <string_view>

namespace yuedu {

inline bool isLineEndUnit(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// True when every line end of text is CR LF already.
bool hasCrlfLineEnds(std::u16string_view text);

// The text with every line end (CR LF, a lone LF, a lone CR) written as CR LF.
std::u16string crlfLineEnds(std::u16string_view text);

// The same for a text that comes in pieces: a CR at the end of one piece and an LF at the
// start of the next are one line end.
class CrlfLineEnds {
public:
    // Appends piece, its line ends as CR LF, to out.
    void append(std::u16string_view piece, std::u16string &out);
    // The next piece with its line ends as CR LF: piece itself when they are already, else
    // the piece written into buffer.
    std::u16string_view next(std::u16string_view piece, std::u16string &buffer);

private:
    bool m_afterCr = false;
};

} // namespace yuedu
