#include "docfile/documentreader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "common/errors.h"
#include "docfile/documentformats.h"
#include "docfile/rtfreader.h"
#include "langdata/textcodec.h"

namespace yuedu::doc {

LoadedDocument readDocument(std::string_view bytes, const std::string &source,
                            TextEncoding encoding) {
    LoadedDocument d;
    if (looksLikeRtf(bytes)) {
        RtfReadResult r = readRtf(bytes, source);
        d.document = std::move(r.document);
        d.kind = DocumentKind::Rtf;
        d.truncated = r.truncated;
        d.unsupported = r.unsupported;
    } else if (std::optional<FormattedText> f = readFormattedText(bytes, source)) {
        d.document = RichDocument::fromPlainText(f->text.text);
        d.kind = DocumentKind::Converted;
        d.format = f->format;
        d.notes = std::move(f->text.notes);
    } else {
        DecodedText text = decodeTextDetailed(bytes, encoding);
        d.document = RichDocument::fromPlainText(text.text);
        d.encoding = text.encoding;
        d.replaced = text.replaced;
        d.ambiguous = text.ambiguous;
        d.binary = text.binary;
    }
    return d;
}

std::string readFileBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw IoError(path, std::strerror(errno));
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        throw IoError(path, "read error");
    return ss.str();
}

} // namespace yuedu::doc
