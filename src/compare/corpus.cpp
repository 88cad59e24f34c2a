#include "compare/corpus.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/errors.h"
#include "docfile/documentformats.h"
#include "docfile/documentreader.h"
#include "docfile/rtfreader.h"
#include "langdata/textcodec.h"

namespace yuedu::compare {
namespace fs = std::filesystem;

bool isTextFileName(const std::string &path) {
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto &formats = doc::formattedTextExtensions();
    return ext == ".txt" || ext == ".text" || ext == ".rtf" || ext == ".rxt" || ext == ".csv" ||
           ext == ".tsv" || std::find(formats.begin(), formats.end(), ext) != formats.end();
}

CollectedTexts collectTexts(const std::vector<std::string> &paths) {
    CollectedTexts out;
    for (const auto &path : paths) {
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
        fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied,
                                            ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            std::error_code fileEc;
            if (it->is_regular_file(fileEc) && isTextFileName(it->path().string()))
                found.push_back(it->path().string());
        }
        if (ec)
            out.problems.push_back({path, "the folder cannot be read: " + ec.message()});
        // The walk's order depends on the file system; sorted paths make runs repeatable.
        std::sort(found.begin(), found.end());
        if (found.empty() && !ec)
            out.problems.push_back({path, "the folder holds no text files", true});
        out.files.insert(out.files.end(), found.begin(), found.end());
    }
    return out;
}

std::u16string readText(const std::string &path) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw IoError(path, "is a folder, not a text file");
    const std::string bytes = doc::readFileBytes(path);
    if (std::optional<doc::FormattedText> f = doc::readFormattedText(bytes, path))
        return std::move(f->text.text);
    if (doc::looksLikeRtf(bytes)) {
        doc::LoadedDocument loaded = doc::readDocument(bytes, path);
        if (loaded.truncated)
            throw IoError(path, "the RTF document is cut off");
        return loaded.document.plainText();
    }
    // Plain text exactly as the other commands decode it, line ends and all.
    DecodedText decoded = decodeTextDetailed(bytes);
    if (decoded.binary)
        throw IoError(path, "does not look like a text file");
    return std::move(decoded.text);
}

} // namespace yuedu::compare
