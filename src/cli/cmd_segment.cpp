// yuedu-cli segment: word segmentation of each text, written exactly as the result document
// holds it (two blanks after every word, CR LF line ends, a final CR LF), in UTF-8.
#include <iostream>
#include <string>

#include "cli/command.h"
#include "cli/textstream.h"
#include "common/errors.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"

namespace yuedu::cli {
namespace {

// Writes line at out in UTF-8 as toUtf8 writes it (a lone surrogate as U+FFFD), at most three
// bytes a unit (a pair of units takes four), and returns the end of what it wrote.
char *writeUtf8(char *out, std::u16string_view line) {
    char *p = out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char32_t cp = line[i];
        if (cp < 0x80) {
            *p++ = static_cast<char>(cp);
            continue;
        }
        if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) { // the usual hanzi and punctuation
            p[0] = static_cast<char>(0xE0 | (cp >> 12));
            p[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            p[2] = static_cast<char>(0x80 | (cp & 0x3F));
            p += 3;
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < line.size() && line[i + 1] >= 0xDC00 &&
            line[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (line[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x800) {
            *p++ = static_cast<char>(0xC0 | (cp >> 6));
        } else {
            if (cp < 0x10000) {
                *p++ = static_cast<char>(0xE0 | (cp >> 12));
            } else {
                *p++ = static_cast<char>(0xF0 | (cp >> 18));
                *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            }
            *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return p;
}

int runSegment(const Args &args) {
    // An unknown encoding is an error before anything is read.
    const TextEncoding encoding = encodingOption(args);
    const LanguageData &data = languageData(args);
    const seg::Lexicon lexicon = loadLexicon(args);
    const seg::PhraseDivider divider(data, lexicon);

    std::vector<std::string> names = args.positional;
    if (names.empty())
        names.push_back("-");
    // Lines are gathered into blocks of UTF-8 before writing: a write a line costs more than
    // segmenting it.
    std::string block(1 << 16, '\0');
    std::size_t used = 0;
    const auto flush = [&block, &used] {
        writeOut(std::string_view(block.data(), used));
        used = 0;
    };
    // One file after another, each read and segmented a piece at a time, so that neither a
    // large file nor a long line is ever held whole; a file that cannot be read is reported and
    // the others still run.
    int status = 0;
    std::u16string piece;
    for (const auto &name : names) {
        bool anyWord = false;
        seg::PhraseDivider::Stream stream(divider, [&](std::u16string_view line) {
            anyWord = anyWord || line.size() > 2; // more than the CR LF of a text without hanzi
            if (block.size() - used < 3 * line.size()) {
                flush();
                if (block.size() < 3 * line.size())
                    block.resize(3 * line.size());
            }
            used = static_cast<std::size_t>(writeUtf8(block.data() + used, line) - block.data());
        });
        try {
            InputStream input(name, encoding, toTraditionalOption(args));
            while (input.next(piece))
                stream.write(piece);
        } catch (const Error &e) {
            // What was segmented before a read failed is written; the file counts as failed.
            flush();
            std::cerr << "yuedu-cli segment: " << e.what() << "\n";
            status = 1;
            continue;
        }
        stream.finish();
        flush();
        // Empty input, or no hanzi at all: nothing was segmented, as with the other commands.
        if (!anyWord) {
            std::cerr << "yuedu-cli segment: " << name << ": the text has no hanzi\n";
            status = 1;
        }
    }
    return status;
}

const CommandRegistration registration({
    "segment",
    "[FILE...]",
    "word segmentation: every word followed by two blanks, 12 then 13 words a line",
    {},
    runSegment,
});

} // namespace
} // namespace yuedu::cli
