#pragma once
// The texts of a comparison: files and folders named by the user turned into a list of files,
// and one file read into text whatever its kind (RTF and the document formats by content, else
// plain text in any encoding the decoder reads).
#include <string>
#include <vector>

#include "langdata/textcodec.h"

namespace yuedu::compare {

struct CollectProblem {
    std::string path;
    std::string message;
    bool emptyFolder = false; // nothing wrong, only nothing to compare there
};

struct CollectedTexts {
    std::vector<std::string> files; // in the order of the arguments, each folder in path order
    std::vector<CollectProblem> problems; // missing paths, unreadable or empty folders
};

// Files named are taken as they are; folders are walked recursively and give the files whose
// extension marks a text (.txt, .text, .rtf, .rxt and the document formats read by content:
// .docx .odt .epub .html .htm .xhtml .pdf; none of them case-sensitive). Tables (.csv, .tsv),
// such as a comparison's own output, are left out. A subfolder that cannot be read is a
// problem (the rest of the folder is still searched); links to folders are not followed.
CollectedTexts collectTexts(const std::vector<std::string> &paths);

// True for the file names collectTexts takes from a folder.
bool isTextFileName(const std::string &path);

struct ReadOptions {
    TextEncoding encoding = TextEncoding::Auto; // of plain-text files
    bool toTraditional = false; // convert from Simplified to Traditional before analysis
};

// A text as read, with what the reading found out.
struct TextReading {
    std::u16string text;
    // How it was read: the plain-text encoding ("Big5", "GB18030", ...), "RTF", or the
    // document format ("Word (.docx)", ...).
    std::string encoding;
    // Doubts about the reading and what was done to the text, one English sentence each
    // (without the path): a guessed encoding, replaced bytes, Simplified Chinese, a conversion.
    std::vector<std::string> notes;
};

// The text of a file: RTF and the document formats (recognised by content) through their
// readers, anything else decoded as plain text. Throws IoError with the path when the file
// cannot be read, does not look like a text, or is an RTF file cut off inside a group.
TextReading readTextDetailed(const std::string &path, const ReadOptions &options = {});
// The same for bytes already read (standard input); name is used in messages.
TextReading readTextBytes(const std::string &bytes, const std::string &name,
                          const ReadOptions &options = {});
std::u16string readText(const std::string &path);

// The notes readTextBytes gives about a decoded plain text: a guessed encoding, replaced bytes.
std::vector<std::string> decodingNotes(const DecodedText &decoded);

} // namespace yuedu::compare
