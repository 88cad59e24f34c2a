#pragma once
// Reads the visible text of a web page (.html, .htm) with the gumbo HTML parser: the body
// without scripts, styles, hidden parts and navigation blocks; <br> and block elements end
// lines; entities decoded. The character set comes from a byte-order mark, else from the
// page's <meta> (charset or the HTTP equivalent), else it is detected as for a plain text.
// Ruby annotations (rt, rp) are dropped and the base text kept. EPUB documents are read with
// the same walk.
#include <string>
#include <string_view>

#include "docfile/extractedtext.h"

namespace yuedu::doc {

// True when the bytes open (after a byte-order mark, blanks and comments) with an HTML
// document type, an <html>, <head> or <body> tag, or an XML declaration followed by <html.
bool looksLikeHtml(std::string_view bytes);

// A page is always readable: what cannot be decoded becomes U+FFFD, and is noted.
ExtractedText readHtml(std::string_view bytes);

// Appends the visible text of an HTML or XHTML document given in UTF-8.
void appendHtmlText(std::string_view utf8, TextBuilder &out);

// The character set a page declares in its first few kilobytes ("" when none), lower case.
std::string declaredCharset(std::string_view bytes);

} // namespace yuedu::doc
