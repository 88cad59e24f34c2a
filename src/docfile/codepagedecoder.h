#pragma once
// Decodes the bytes of the Windows code pages that RTF files name (\ansicpg, \fcharset).
// Code page 950 goes through CodePage950; the others through ICU. Unknown code pages fall back
// to Windows-1252, so a decoder always yields text.
#include <map>
#include <memory>
#include <string>
#include <string_view>

struct UConverter;

namespace yuedu::doc {

class CodePageDecoder {
public:
    CodePageDecoder();
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder &) = delete;
    CodePageDecoder &operator=(const CodePageDecoder &) = delete;

    std::u16string decode(std::string_view bytes, int codePage);

    // The Windows code page of an RTF \fcharset value; 0 when the charset names none.
    static int codePageOfCharset(int charset);

private:
    struct Closer {
        void operator()(UConverter *c) const;
    };
    UConverter *converter(int codePage);
    std::map<int, std::unique_ptr<UConverter, Closer>> m_converters;
};

} // namespace yuedu::doc
