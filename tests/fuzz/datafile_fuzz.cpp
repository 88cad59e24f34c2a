// libFuzzer target: the data files, whole, patched, and damaged on disk. The first byte picks
// the file (bits 0-1: grades, dictionary, senses, user words) and how the rest is used (bit 2:
// as the whole file, else as bytes written over the real file at the offset the next three
// bytes give). With bit 3 set and bits 6-7 clear the files are loaded from a folder, where bits
// 4-5 choose what happened to the file: it holds those bytes, it is missing, a folder stands in
// its place, or it is the real file cut short.
//
// Damage is reported, never taken for data:
// - in memory, a whole file of another size than the real one is reported by its name;
// - on disk, beside a manifest of the real files, a data file that differs from the real one in
//   any byte, is missing, is a folder or is cut short is reported by its name, and no other file
//   is; a user word file is reported when it is a folder or no text, and not when it is missing.
// And whatever the tables hold, the programs go on: with a damaged dictionary or user word file
// the segmenter still keeps every table character of a sample text in exactly one word, and
// with damaged grade or sense tables every analysis that reads them still runs.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

#include "article/articleattributes.h"
#include "article/articleprofile.h"
#include "charprofile/characterprofile.h"
#include "fuzzdata.h"
#include "langdata/big5.h"
#include "langdata/sha256.h"
#include "langdata/xxhash64.h"
#include "segment/phrasedivider.h"
#include "wordstats/frequency.h"
#include "wordstats/senses.h"

using namespace yuedu;
namespace fs = std::filesystem;

namespace {

const char *const kNames[4] = {kGradeFileName, kSegFileName, kSenseFileName, kUserWordFileName};

const std::array<std::string, 4> &realFiles() {
    static const std::array<std::string, 4> files = [] {
        std::array<std::string, 4> f;
        for (int i = 0; i < 4; ++i) {
            std::ifstream in(fuzz::dataDir() / kNames[i], std::ios::binary);
            f[i].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return f;
    }();
    return files;
}

void writeFile(const fs::path &path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        fuzz::fail("the scratch folder cannot be written");
}

// A scratch folder holding the real files and a manifest of the three data files, made once;
// each run puts back what it changed.
const fs::path &scratchFolder() {
    static const fs::path dir = [] {
        std::string name = (fs::temp_directory_path() / "yuedu-datafile-fuzz-XXXXXX").string();
        if (!mkdtemp(name.data()))
            fuzz::fail("no scratch folder");
        const fs::path d = name;
        std::vector<ManifestEntry> entries;
        for (int i = 0; i < 4; ++i) {
            writeFile(d / kNames[i], realFiles()[i]);
            if (i < 3)
                entries.push_back({kNames[i], realFiles()[i].size(), sha256Hex(realFiles()[i]),
                                   xxh64Hex(realFiles()[i])});
        }
        writeFile(d / kManifestFileName, manifestText("fuzz", entries));
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(scratchFolder(), ec);
        });
        return d;
    }();
    return dir;
}

bool names(const LoadReport &report, const std::string &file) {
    for (const auto &p : report.problems)
        if (p.file == file)
            return true;
    return false;
}

// Loads the folder with file `which` damaged as `damage` says and checks what is reported.
void checkOnDisk(int which, int damage, std::string_view content, std::size_t cut) {
    const fs::path &dir = scratchFolder();
    const fs::path path = dir / kNames[which];
    const std::string_view real = realFiles()[which];
    std::string_view written = content;
    if (damage == 3)
        written = real.substr(0, real.empty() ? 0 : cut % real.size());
    std::error_code ec;
    fs::remove(path, ec);
    if (damage == 0 || damage == 3)
        writeFile(path, written);
    else if (damage == 2)
        fs::create_directory(path);

    if (which < 3) {
        // Loading fills every table, so one set of them serves every run.
        static LanguageData language;
        const LoadReport report = loaddata(dir, language);
        const bool damaged = damage == 1 || damage == 2 || written != real;
        if (names(report, kNames[which]) != damaged)
            fuzz::fail(damaged ? "a damaged data file was loaded without a word"
                               : "an intact data file was reported");
        for (int i = 0; i < 3; ++i)
            if (i != which && names(report, kNames[i]))
                fuzz::fail("an intact data file was reported beside a damaged one");
    } else {
        LoadReport report;
        (void)seg::LoadLexicon(dir, &report);
        const bool bad =
            damage == 2 || ((damage == 0 || damage == 3) && decodeTextDetailed(written).binary);
        if (names(report, kUserWordFileName) != bad)
            fuzz::fail(bad ? "a user word file that cannot be used was not reported"
                           : "a usable or missing user word file was reported");
    }

    fs::remove_all(path, ec);
    writeFile(path, real);
}

// The divider of the real tables, made once: runs that damage the user words share its
// dictionary, and runs that damage the dictionary its rule passes (which read only the lists).
const seg::PhraseDivider &realDivider() {
    static const seg::PhraseDivider divider(fuzz::languageData(), fuzz::lexicon());
    return divider;
}

const std::u16string kSample =
    u"今天的天氣很好，我們一起到公園去散步。小明說：「這裡的花開得真美！」"
    u"一九九八年三月，他們在台北市買了兩本書和三枝筆。";

// Segmenting the sample with divider keeps its table characters, each once.
void checkKeepsTableChars(const seg::PhraseDivider &divider, const char *what) {
    if (charprofile::tableCharacters(divider.DivideText(kSample)) !=
        charprofile::tableCharacters(kSample))
        fuzz::fail(what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::array<std::string, 4> &real = realFiles();
    const int which = data[0] % 4;
    // A patched file is the real one with the input's bytes written over it, in a copy kept from
    // run to run that each run puts back as it found it.
    static std::array<std::string, 4> patched = real;
    std::string &image = patched[which];
    std::size_t offset = 0, patchEnd = 0;
    const auto putBack = [&] {
        std::copy(real[which].begin() + static_cast<std::ptrdiff_t>(offset),
                  real[which].begin() + static_cast<std::ptrdiff_t>(patchEnd),
                  image.begin() + static_cast<std::ptrdiff_t>(offset));
    };
    std::string_view file;
    if (data[0] & 4) {
        file = std::string_view(reinterpret_cast<const char *>(data) + 1, size - 1);
    } else {
        if (size >= 4 && !image.empty()) {
            offset = ((std::size_t{data[1]} << 16) | (data[2] << 8) | data[3]) *
                     (image.size() / 0x1000000 + 1) % image.size();
            patchEnd = std::min(image.size(), offset + (size - 4));
            std::copy(data + 4, data + 4 + (patchEnd - offset), image.begin() + offset);
        }
        file = image;
    }
    if ((data[0] & 0xC8) == 0x08) {
        const std::size_t cut =
            size >= 4 ? (std::size_t{data[1]} << 16) | (data[2] << 8) | data[3] : size;
        checkOnDisk(which, (data[0] >> 4) & 3, file, cut);
        putBack();
        return 0;
    }

    if (which == 3) {
        // The user words: only the segmenter reads them, with the real dictionary.
        seg::Lexicon lexicon = seg::Lexicon::builtIn();
        lexicon.UserWords = seg::userWordsFromText(decodeText(file));
        putBack();
        checkKeepsTableChars(seg::PhraseDivider(realDivider(), lexicon),
                             "a damaged user word file lost or added table characters");
        return 0;
    }

    // The real tables, copied once; each run puts back the tables of its file (which loading
    // overwrites whole) before it loads the file over them, so the other tables stay real.
    static LanguageData language = fuzz::languageData();
    const LanguageData &realData = fuzz::languageData();
    LoadReport report;
    if (which == 0) {
        language.GradeWordLists = realData.GradeWordLists;
        report = language.loadGradeImage(file);
    } else if (which == 1) {
        language.SegIndexTable = realData.SegIndexTable;
        language.SegWordTable = realData.SegWordTable;
        language.SegAuxTable = realData.SegAuxTable;
        report = language.loadSegImage(file);
    } else {
        language.SenseIndexTable = realData.SenseIndexTable;
        language.SenseWordTable = realData.SenseWordTable;
        language.CharRecordTable = realData.CharRecordTable;
        language.CharDetailTable = realData.CharDetailTable;
        language.DetailBytesInUse = realData.DetailBytesInUse;
        report = language.loadSenseImage(file);
    }
    putBack();
    if ((data[0] & 4) && file.size() != real[which].size() && !names(report, kNames[which]))
        fuzz::fail("a data file of the wrong size was not reported");

    if (which == 1) {
        // The dictionary: only the segmenter reads it.
        checkKeepsTableChars(
            seg::PhraseDivider(language, realDivider()),
            "a damaged dictionary lost or added table characters in the segmentation");
        return 0;
    }
    // The grade and sense files: the analyses that read their tables, on the sample as the
    // real data segments it. Only the vocabulary grades read the grade lists; the others give
    // what they give on the real data whatever the grade file holds.
    static const std::u16string segmented = realDivider().DivideText(kSample);
    if (which == 0) {
        (void)wordstats::VocabularyGrades(language, segmented);
        return 0;
    }
    if (!article::artprofile(language, kSample, article::ArticleGenre{false, true}).done())
        fuzz::fail("no profile of a text with hanzi");
    const article::AttributeResult attributes = article::artattri(language, kSample);
    if (!attributes.found())
        fuzz::fail("no attributes of a text with hanzi");
    (void)article::attributeTreeText(attributes.attributeTree());
    for (char16_t c : kSample)
        (void)charprofile::charprofile(language, std::u16string_view(&c, 1));
    (void)wordstats::SenseClasses(language, segmented);
    return 0;
}
