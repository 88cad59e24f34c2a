#include "compare/corpus.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/errors.h"
#include "docfile/documentformats.h"
#include "docfile/documentreader.h"
#include "docfile/rtfreader.h"
#include "langdata/scriptconvert.h"
#include "langdata/textcodec.h"

namespace yuedu::compare {
namespace fs = std::filesystem;

bool isTextFileName(const std::string &path) {
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto &formats = doc::formattedTextExtensions();
    return ext == ".txt" || ext == ".text" || ext == ".rtf" || ext == ".rxt" ||
           std::find(formats.begin(), formats.end(), ext) != formats.end();
}

namespace {

// Adds the text files under folder to found; a folder that cannot be read is a problem.
void walkFolder(const fs::path &folder, std::vector<std::string> &found,
                std::vector<CollectProblem> &problems) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    std::vector<fs::path> subfolders;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code entryEc;
        const fs::directory_entry &entry = *it;
        if (entry.is_symlink(entryEc) && entry.is_directory(entryEc))
            continue; // a link to a folder may lead back up: not followed
        if (entry.is_directory(entryEc))
            subfolders.push_back(entry.path());
        else if (entry.is_regular_file(entryEc) && isTextFileName(entry.path().string()))
            found.push_back(entry.path().string());
    }
    if (ec)
        problems.push_back({folder.string(), "the folder cannot be read: " + ec.message()});
    for (const auto &sub : subfolders)
        walkFolder(sub, found, problems);
}

} // namespace

CollectedTexts collectTexts(const std::vector<std::string> &paths) {
    CollectedTexts out;
    for (const auto &path : paths) {
        if (path == "-") {
            out.files.push_back(path); // standard input
            continue;
        }
        std::error_code ec;
        const auto status = fs::status(path, ec);
        if (ec || !fs::exists(status)) {
            out.problems.push_back({path, std::strerror(ENOENT)});
            continue;
        }
        if (!fs::is_directory(status)) {
            out.files.push_back(path);
            continue;
        }
        std::vector<std::string> found;
        const std::size_t problemsBefore = out.problems.size();
        walkFolder(path, found, out.problems);
        // The walk's order depends on the file system; sorted paths make runs repeatable.
        std::sort(found.begin(), found.end());
        if (found.empty() && out.problems.size() == problemsBefore)
            out.problems.push_back({path, "the folder holds no text files", true});
        out.files.insert(out.files.end(), found.begin(), found.end());
    }
    return out;
}

std::vector<std::string> decodingNotes(const DecodedText &decoded) {
    std::vector<std::string> notes;
    if (decoded.replaced > 0)
        notes.push_back("read as " + std::string(encodingName(decoded.encoding)) + "; " +
                        std::to_string(decoded.replaced) +
                        " invalid byte sequences were replaced with U+FFFD");
    if (decoded.ambiguous)
        notes.push_back("read as " + std::string(encodingName(decoded.encoding)) +
                        "; the encoding is a guess (choose one with --encoding)");
    return notes;
}

TextReading readTextBytes(const std::string &bytes, const std::string &path,
                          const ReadOptions &options) {
    TextReading out;
    if (std::optional<doc::FormattedText> f = doc::readFormattedText(bytes, path)) {
        out.text = std::move(f->text.text);
        out.encoding = doc::formatName(f->format);
        out.notes = std::move(f->text.notes);
    } else if (doc::looksLikeRtf(bytes)) {
        doc::LoadedDocument loaded = doc::readDocument(bytes, path);
        if (loaded.truncated)
            throw IoError(path, "the RTF document is cut off");
        out.text = loaded.document.plainText();
        out.encoding = "RTF";
    } else {
        // Plain text exactly as the other commands decode it, line ends and all.
        DecodedText decoded = decodeTextDetailed(bytes, options.encoding);
        if (decoded.binary)
            throw IoError(path, "does not look like a text file");
        out.text = std::move(decoded.text);
        out.encoding = encodingName(decoded.encoding);
        out.notes = decodingNotes(decoded);
        for (auto &note : applyToTraditional(out.text, isSimplifiedEncoding(decoded.encoding),
                                             options.toTraditional))
            out.notes.push_back(std::move(note.text));
        return out;
    }
    for (auto &note : applyToTraditional(out.text, false, options.toTraditional))
        out.notes.push_back(std::move(note.text));
    return out;
}

TextReading readTextDetailed(const std::string &path, const ReadOptions &options) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw IoError(path, "is a folder, not a text file");
    return readTextBytes(doc::readFileBytes(path), path, options);
}

std::u16string readText(const std::string &path) {
    return readTextDetailed(path).text;
}

} // namespace yuedu::compare
