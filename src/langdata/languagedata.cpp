#include "langdata/languagedata.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>
#ifdef __unix__
#include <sys/mman.h>
#endif

#include "common/nearlysorted.h"
#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"
#include "langdata/sha256.h"
#include "langdata/xxhash64.h"

#ifndef YUEDU_INSTALL_DATADIR
#define YUEDU_INSTALL_DATADIR "/usr/local/share/yuedu"
#endif
// The installed data folder seen from the installed program's folder, so that a package
// installed under another prefix (a .deb under /usr, a test's temporary prefix) finds its data.
#ifndef YUEDU_INSTALL_DATADIR_FROM_BINDIR
#define YUEDU_INSTALL_DATADIR_FROM_BINDIR "../share/yuedu"
#endif

namespace yuedu {
namespace {

// Takes the next table out of a file image, advancing pos: shown where keeper keeps the image
// and it holds the whole table, else copied. Returns how many bytes were there.
std::size_t takeTable(std::string_view image, std::size_t &pos, Bytes &table,
                      const std::shared_ptr<const void> &keeper) {
    const std::size_t avail = pos < image.size() ? std::min(table.size(), image.size() - pos) : 0;
    if (keeper && avail == table.size() && avail != 0) {
        table.show(keeper, reinterpret_cast<const std::uint8_t *>(image.data()) + pos);
    } else {
        // An empty image has no data pointer to offset.
        if (avail != 0)
            std::memcpy(table.data(), image.data() + pos, avail);
        std::memset(table.data() + avail, 0, table.size() - avail);
    }
    pos += table.size();
    return avail;
}

// The group an index entry points at in a table of tableSize bytes, 0-based [start, end); an
// entry with no group, or an empty one, gives an empty extent.
struct GroupExtent {
    std::size_t start = 0, end = 0;
    bool outside = false; // malformed, or running past the table
    bool empty() const { return end == start; }
};
GroupExtent groupExtent(const std::uint8_t *e, std::size_t tableSize) {
    const std::size_t start = layout::be24(e), length = layout::be16(e + 3);
    if (start == 0 && length == 0)
        return {};
    if (e[0] >= 0x80 || e[3] >= 0x80 || start == 0 || length % 2 != 0 ||
        start - 1 + length > tableSize)
        return {0, 0, true};
    return {start - 1, start - 1 + length};
}

// What the segmenter relies on in the segmentation dictionary: every index entry either empty
// or pointing at a group that lies inside its table, and the groups of each table side by side
// without overlapping. Anything else (a damaged or random file) reads as fewer or wrong words.
std::string segLayoutProblem(const LanguageData &d) {
    std::size_t outside = 0, overlapping = 0;
    for (const bool aux : {false, true}) {
        const std::uint8_t *entries =
            d.SegIndexTable.data() + (aux ? layout::kSegAuxBlock : std::size_t(0));
        const std::size_t tableSize = aux ? d.SegAuxTable.size() : d.SegWordTable.size();
        std::vector<std::pair<std::size_t, std::size_t>> groups; // [start, end) 0-based
        // A sound file lays its groups out in order, side by side: then they are checked as
        // they come, and only a file out of order has its groups gathered and sorted.
        bool inOrder = true;
        std::size_t end = 0;
        // The entries are walked with one pointer (this runs over every character).
        const std::uint8_t *e = entries;
        for (int k = 0; k < kTableChars; ++k, e += 5) {
            const GroupExtent group = groupExtent(e, tableSize);
            outside += group.outside;
            if (group.empty())
                continue;
            if (inOrder && group.start >= end) {
                end = group.end;
                continue;
            }
            if (inOrder) {
                // The groups so far were in order; now they go into the list after all.
                inOrder = false;
                for (const std::uint8_t *f = entries; f != e; f += 5)
                    if (const GroupExtent g = groupExtent(f, tableSize); !g.empty())
                        groups.emplace_back(g.start, g.end);
            }
            groups.emplace_back(group.start, group.end);
        }
        sortNearlySorted(groups, std::less<>());
        for (std::size_t i = 1; i < groups.size(); ++i)
            overlapping += groups[i].first < groups[i - 1].second;
    }
    if (outside == 0 && overlapping == 0)
        return {};
    return "the segmentation dictionary is damaged (" + std::to_string(outside) +
           " index entries outside their table, " + std::to_string(overlapping) +
           " overlapping groups)";
}

// The character records hold Bopomofo, tone, radical and strokes within their lists, and the
// detail index numbers records the table has.
std::string charTableProblem(const LanguageData &d) {
    std::size_t records = 0, index = 0;
    const std::uint8_t *p = d.CharRecordTable.data(), *detail = d.CharDetailTable.data();
    for (int n = 0; n < kTableChars; ++n, p += 4, detail += 2) {
        if ((p[0] >> 3) > 21 || (p[0] & 7) > 3 || (p[1] >> 4) > 13 || (p[1] & 15) > 4 ||
            p[2] > 213 || p[3] > 64)
            ++records;
        if (layout::be16(detail) > layout::kDetailRecords)
            ++index;
    }
    if (records == 0 && index == 0)
        return {};
    return "the character tables are damaged (" + std::to_string(records) +
           " character records out of range, " + std::to_string(index) +
           " detail record numbers past the table)";
}

// The grade lists are Big5 text (a grade code is a byte below 0x80): bytes that are no Big5
// character are damage.
std::string gradeListProblem(const LanguageData &d) {
    std::size_t bad = 0;
    for (const auto &list : d.GradeWordLists)
        for (char16_t c : list)
            bad += c == 0xFFFD;
    if (bad == 0)
        return {};
    return "the grade lists are damaged (" + std::to_string(bad) + " bytes that are no Big5 text)";
}

void checkLength(LoadReport &report, const char *file, std::string_view image,
                 std::size_t expected) {
    if (image.size() < expected)
        report.problems.push_back({file,
                                   "the file is too short (" + std::to_string(image.size()) +
                                       " of " + std::to_string(expected) + " bytes)",
                                   "檔案不完整（只有 " + std::to_string(image.size()) +
                                       " 位元組，應為 " + std::to_string(expected) + " 位元組）"});
    else if (image.size() > expected)
        report.problems.push_back(
            {file,
             "the file is too long (more than " + std::to_string(expected) +
                 " bytes): it is not this program's data file",
             "檔案大小不符（超過 " + std::to_string(expected) + " 位元組），不是本程式的資料檔"});
}

void damaged(LoadReport &report, const char *file, std::string problem) {
    if (!problem.empty())
        report.problems.push_back({file, std::move(problem), "檔案內容已損壞"});
}

} // namespace

namespace {
// Tables from this size on are mapped (under AddressSanitizer they come from its allocator,
// which guards their ends).
#if defined(__SANITIZE_ADDRESS__)
#define YUEDU_MAP_TABLES 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define YUEDU_MAP_TABLES 0
#endif
#endif
#if !defined(YUEDU_MAP_TABLES) && defined(__linux__)
#define YUEDU_MAP_TABLES 1
#endif
#ifndef YUEDU_MAP_TABLES
#define YUEDU_MAP_TABLES 0
#endif
#if YUEDU_MAP_TABLES
constexpr std::size_t kMappedTable = std::size_t(64) << 10;
#endif

// Zeroed memory for a table of that size: mapped from this size on, where untouched pages cost
// nothing and read as zero.
std::uint8_t *allocateTable(std::size_t bytes) {
#if YUEDU_MAP_TABLES
    if (bytes >= kMappedTable) {
        void *p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        return static_cast<std::uint8_t *>(p);
    }
#endif
    if (void *p = std::calloc(bytes == 0 ? 1 : bytes, 1))
        return static_cast<std::uint8_t *>(p);
    throw std::bad_alloc();
}

void releaseTable(std::uint8_t *p, std::size_t bytes) noexcept {
#if YUEDU_MAP_TABLES
    if (bytes >= kMappedTable) {
        munmap(p, bytes);
        return;
    }
#else
    (void)bytes;
#endif
    std::free(p);
}

} // namespace

Bytes::Bytes(std::size_t size) : m_data(allocateTable(size)), m_size(size) {}

Bytes::Bytes(const Bytes &other) : m_size(other.m_size), m_file(other.m_file) {
    if (m_file) {
        m_data = other.m_data;
    } else {
        m_data = allocateTable(m_size);
        if (m_size != 0)
            std::memcpy(m_data, other.m_data, m_size);
    }
}

Bytes::Bytes(Bytes &&other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_file(std::move(other.m_file)) {}

Bytes &Bytes::operator=(const Bytes &other) {
    if (this == &other)
        return *this;
    // A table with memory of its own keeps it when the size allows: a copy made again and again
    // (as the fuzz targets do) reuses the same pages.
    if (!m_file && m_data && m_size == other.m_size) {
        if (m_size != 0)
            std::memcpy(m_data, other.m_data, m_size);
        return *this;
    }
    Bytes copy(other);
    return *this = std::move(copy);
}

Bytes &Bytes::operator=(Bytes &&other) noexcept {
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_file = std::move(other.m_file);
    }
    return *this;
}

Bytes::~Bytes() {
    release();
}

const std::uint8_t &Bytes::at(std::size_t i) const {
    if (i >= m_size)
        throw std::out_of_range("table index " + std::to_string(i) + " past its size " +
                                std::to_string(m_size));
    return m_data[i];
}

std::uint8_t &Bytes::at(std::size_t i) {
    (void)static_cast<const Bytes &>(*this).at(i);
    return data()[i];
}

void Bytes::show(std::shared_ptr<const void> file, const std::uint8_t *bytes) {
    release();
    m_data = const_cast<std::uint8_t *>(bytes); // only ever read while the file is shown
    m_file = std::move(file);
}

void Bytes::own() {
    std::uint8_t *copy = allocateTable(m_size);
    if (m_size != 0)
        std::memcpy(copy, m_data, m_size);
    m_file.reset();
    m_data = copy;
}

void Bytes::release() noexcept {
    if (m_file)
        m_file.reset();
    else if (m_data)
        releaseTable(m_data, m_size);
    m_data = nullptr;
}

std::string LoadReport::text() const {
    std::string out;
    for (const auto &p : problems)
        out += p.file + ": " + p.message + "\n";
    return out;
}

std::string LoadReport::zhText() const {
    std::string out;
    for (const auto &p : problems)
        out += p.file + "：" + (p.zh.empty() ? p.message : p.zh) + "\n";
    return out;
}

std::string manifestText(std::string_view builder, const std::vector<ManifestEntry> &entries) {
    std::string out = "builder " + std::string(builder) + "\n";
    for (const auto &e : entries)
        out += e.file + " " + std::to_string(e.size) + " " + e.sha256 +
               (e.xxh64.empty() ? "" : " " + e.xxh64) + "\n";
    return out;
}

bool parseManifest(std::string_view text, std::vector<ManifestEntry> &entries,
                   std::size_t *badLine) {
    std::size_t lineNo = 0;
    bool builder = false;
    while (!text.empty()) {
        ++lineNo;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (line.rfind("builder ", 0) == 0 && !builder) {
            builder = true;
            continue;
        }
        ManifestEntry e;
        // The XXH64 after the SHA-256, when the builder wrote it.
        std::size_t b = line.rfind(' ');
        if (b != std::string_view::npos && line.size() - b - 1 == 16) {
            e.xxh64 = std::string(line.substr(b + 1));
            line = line.substr(0, b);
            b = line.rfind(' ');
        }
        const std::size_t a = line.find(' ');
        bool ok = builder && a != std::string_view::npos && b > a + 1 && line.size() - b - 1 == 64;
        if (ok) {
            e.file = std::string(line.substr(0, a));
            const std::string_view size = line.substr(a + 1, b - a - 1);
            e.sha256 = std::string(line.substr(b + 1));
            ok = size.find_first_not_of("0123456789") == std::string_view::npos &&
                 size.size() < 16 &&
                 e.sha256.find_first_not_of("0123456789abcdef") == std::string::npos &&
                 e.xxh64.find_first_not_of("0123456789abcdef") == std::string::npos;
            if (ok)
                e.size = std::stoull(std::string(size));
        }
        if (!ok) {
            if (badLine)
                *badLine = lineNo;
            return false;
        }
        entries.push_back(std::move(e));
    }
    if (!builder && badLine)
        *badLine = lineNo == 0 ? 1 : lineNo;
    return builder;
}

LanguageData::LanguageData()
    : SegIndexTable(layout::kSegIndexSize), SegWordTable(layout::kSegWordSize),
      SegAuxTable(layout::kSegAuxSize), SenseIndexTable(layout::kSenseIndexSize),
      SenseWordTable(layout::kSenseWordSize), CharRecordTable(layout::kCharRecordSize),
      CharDetailTable(layout::kCharDetailSize) {}

LoadReport LanguageData::loadImages(std::string_view gradeFile, std::string_view segFile,
                                    std::string_view senseFile,
                                    const std::shared_ptr<const void> &segKeeper,
                                    const std::shared_ptr<const void> &senseKeeper) {
    LoadReport report = loadGradeImage(gradeFile);
    for (const LoadReport &part :
         {loadSegImage(segFile, segKeeper), loadSenseImage(senseFile, senseKeeper)})
        report.problems.insert(report.problems.end(), part.problems.begin(), part.problems.end());
    return report;
}

LoadReport LanguageData::loadGradeImage(std::string_view gradeFile) {
    LoadReport report;
    checkLength(report, kGradeFileName, gradeFile, layout::kGradeFileSize);
    const CodePage950 &cp = CodePage950::instance();
    std::size_t pos = 0;
    for (int i = 0; i < 5; ++i) {
        std::string_view list =
            pos < gradeFile.size() ? gradeFile.substr(pos, layout::kGradeListSizes[i]) : "";
        pos += layout::kGradeListSizes[i];
        // The zero bytes that fill a list (or stand for the missing end of a short file) would
        // become U+0000 characters; only what comes before them is read. A list may be all
        // fill, so it is passed over eight bytes at a time.
        std::size_t end = list.size();
        for (std::uint64_t w = 0; end >= 8; end -= 8) {
            std::memcpy(&w, list.data() + end - 8, 8);
            if (w != 0)
                break;
        }
        while (end > 0 && list[end - 1] == '\0')
            --end;
        list = list.substr(0, end);
        GradeWordLists[i] = cp.decode(list);
    }
    if (!gradeFile.empty())
        damaged(report, kGradeFileName, gradeListProblem(*this));
    return report;
}

LoadReport LanguageData::loadSegImage(std::string_view segFile,
                                      const std::shared_ptr<const void> &keeper) {
    LoadReport report;
    checkLength(report, kSegFileName, segFile, layout::kSegFileSize);
    std::size_t pos = 0;
    takeTable(segFile, pos, SegIndexTable, keeper);
    takeTable(segFile, pos, SegWordTable, keeper);
    takeTable(segFile, pos, SegAuxTable, keeper);
    // A short file is reported as such; its zero tail is an empty dictionary, not a damaged one.
    if (!segFile.empty())
        damaged(report, kSegFileName, segLayoutProblem(*this));
    return report;
}

LoadReport LanguageData::loadSenseImage(std::string_view senseFile,
                                        const std::shared_ptr<const void> &keeper) {
    LoadReport report;
    checkLength(report, kSenseFileName, senseFile, layout::kSenseFileSize);
    std::size_t pos = 0;
    takeTable(senseFile, pos, SenseIndexTable, keeper);
    takeTable(senseFile, pos, SenseWordTable, keeper);
    takeTable(senseFile, pos, CharRecordTable, keeper);
    takeTable(senseFile, pos, CharDetailTable, keeper);
    if (!senseFile.empty())
        damaged(report, kSenseFileName, charTableProblem(*this));
    DetailBytesInUse = detailBytesInUse(*this);
    return report;
}

std::array<std::uint8_t, 44> detailBytesInUse(const LanguageData &data) {
    static_assert(layout::kDetailRecordSize == 44);
    // The records in use are marked first and then OR-ed in table order, eight bytes at a
    // time: many characters share a record, and the table is read from start to end once.
    const Bytes &table = data.CharDetailTable;
    const std::size_t records =
        table.size() < layout::kDetailIndexSize
            ? 0
            : (table.size() - layout::kDetailIndexSize) / layout::kDetailRecordSize;
    std::vector<bool> used(records + 1);
    bool any = false;
    for (std::size_t n = 0; n < static_cast<std::size_t>(kTableChars); ++n) {
        if (2 * n + 2 > table.size())
            break;
        const std::size_t r = layout::be16(table.data() + 2 * n);
        if (r != 0 && r <= records)
            any = used[r] = true;
    }
    std::uint64_t words[5] = {};
    std::uint32_t tail = 0;
    if (any) {
        const std::uint8_t *p = table.data() + layout::kDetailIndexSize;
        for (std::size_t r = 1; r <= records; ++r, p += layout::kDetailRecordSize) {
            if (!used[r])
                continue;
            for (int w = 0; w < 5; ++w) {
                std::uint64_t v;
                std::memcpy(&v, p + 8 * w, 8);
                words[w] |= v;
            }
            std::uint32_t last;
            std::memcpy(&last, p + 40, 4);
            tail |= last;
        }
    }
    std::array<std::uint8_t, 44> bytes;
    std::memcpy(bytes.data(), words, sizeof words);
    std::memcpy(bytes.data() + sizeof words, &tail, sizeof tail);
    return bytes;
}

namespace {

// A data file's contents, mapped where the system can (no copy, no clearing) and read whole
// otherwise. A file longer than its tables is taken only as far as they go (and one byte more,
// so that the image still counts as long).
class FileImage {
public:
    FileImage() = default;
    FileImage(const FileImage &) = delete;
    FileImage &operator=(const FileImage &) = delete;
    ~FileImage() {
#ifdef __unix__
        if (m_mapped)
            munmap(m_mapped, m_size);
#endif
    }

    // Returns false on a read error.
    bool read(std::FILE *in, std::uintmax_t fileSize) {
        const auto size = static_cast<std::size_t>(std::min<std::uintmax_t>(fileSize, 1 << 21));
#ifdef __unix__
        if (size != 0) {
            void *p = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fileno(in), 0);
            if (p != MAP_FAILED) {
                m_mapped = p;
                m_size = size;
                return true;
            }
        }
#endif
        m_copy.resize(size);
        m_copy.resize(std::fread(m_copy.data(), 1, m_copy.size(), in));
        return std::ferror(in) == 0;
    }

    std::string_view view() const {
        return m_mapped ? std::string_view(static_cast<const char *>(m_mapped), m_size)
                        : std::string_view(m_copy);
    }

private:
    void *m_mapped = nullptr;
    std::size_t m_size = 0;
    std::string m_copy;
};

} // namespace

namespace {

// Checks the images against the manifest of dir, when there is one.
void checkManifest(const std::filesystem::path &dir, const char *const names[3],
                   const std::shared_ptr<FileImage> images[3], const std::uintmax_t sizes[3],
                   const bool opened[3], LoadReport &report) {
    const std::filesystem::path path = dir / kManifestFileName;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return; // data made before manifests, or by hand: the structure checks stand alone
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> in(nullptr, std::fclose);
    if (std::filesystem::is_regular_file(path, ec))
        in.reset(std::fopen(path.c_str(), "rb"));
    std::string text;
    if (in) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0;)
            text.append(buffer, n);
    }
    std::vector<ManifestEntry> entries;
    std::size_t badLine = 0;
    if (!in || std::ferror(in.get())) {
        report.problems.push_back(
            {kManifestFileName, "cannot be read (" + path.string() + ")", "無法讀取"});
        return;
    }
    if (!parseManifest(text, entries, &badLine)) {
        report.problems.push_back({kManifestFileName,
                                   "is damaged (line " + std::to_string(badLine) + ")",
                                   "檔案內容已損壞（第 " + std::to_string(badLine) + " 行）"});
        return;
    }
    for (int i = 0; i < 3; ++i) {
        // A file that is missing or already found damaged is reported once.
        if (!opened[i] || std::any_of(report.problems.begin(), report.problems.end(),
                                      [&](const auto &q) { return q.file == names[i]; }))
            continue;
        const auto e = std::find_if(entries.begin(), entries.end(),
                                    [&](const ManifestEntry &m) { return m.file == names[i]; });
        if (e == entries.end()) {
            report.problems.push_back({names[i],
                                       "is not listed in " + std::string(kManifestFileName),
                                       "未列在 " + std::string(kManifestFileName) + " 中"});
            continue;
        }
        if (sizes[i] != e->size) {
            report.problems.push_back({names[i],
                                       "has " + std::to_string(sizes[i]) +
                                           " bytes, the manifest says " + std::to_string(e->size),
                                       "大小為 " + std::to_string(sizes[i]) +
                                           " 位元組，與資料清單的 " + std::to_string(e->size) +
                                           " 位元組不符"});
            continue;
        }
        // The XXH64 tells any damage as surely as the SHA-256 and in a tenth of the time; a
        // manifest without it is checked by the SHA-256.
        if (!e->xxh64.empty() ? xxh64Hex(images[i]->view()) != e->xxh64
                              : sha256Hex(images[i]->view()) != e->sha256)
            report.problems.push_back(
                {names[i],
                 std::string("has changed since it was built (its ") +
                     (e->xxh64.empty() ? "SHA-256" : "XXH64") + " differs from the manifest)",
                 std::string("內容與建置時不同（") + (e->xxh64.empty() ? "SHA-256" : "XXH64") +
                     " 與資料清單不符），檔案已損壞或被修改"});
    }
}

} // namespace

LoadReport loaddata(const std::filesystem::path &dir, LanguageData &data) {
    LoadReport report;
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        report.problems.push_back({dir.string(),
                                   std::filesystem::exists(dir, ec)
                                       ? "is not a folder: no data files there"
                                       : "the data folder does not exist",
                                   "找不到資料夾"});
        return report;
    }
    // The tables show the files' images, which they keep as long as they need them.
    std::shared_ptr<FileImage> images[3];
    for (auto &image : images)
        image = std::make_shared<FileImage>();
    std::uintmax_t sizes[3] = {};
    bool opened[3] = {};
    const char *const names[3] = {kGradeFileName, kSegFileName, kSenseFileName};
    for (int i = 0; i < 3; ++i) {
        const std::filesystem::path path = dir / names[i];
        std::unique_ptr<std::FILE, int (*)(std::FILE *)> in(nullptr, std::fclose);
        if (std::filesystem::is_regular_file(path, ec))
            in.reset(std::fopen(path.c_str(), "rb"));
        if (!in) {
            report.problems.push_back(
                {names[i],
                 std::filesystem::exists(path, ec) ? "cannot be opened (" + path.string() + ")"
                                                   : "is missing (" + path.string() + ")",
                 std::filesystem::exists(path, ec) ? "無法開啟" : "找不到檔案"});
            continue;
        }
        sizes[i] = std::filesystem::file_size(path, ec);
        if (ec || !images[i]->read(in.get(), sizes[i])) {
            report.problems.push_back({names[i], "read error (" + path.string() + ")", "讀取錯誤"});
            continue;
        }
        opened[i] = true;
    }
    LoadReport loaded = data.loadImages(images[0]->view(), images[1]->view(), images[2]->view(),
                                        images[1], images[2]);
    for (auto &p : loaded.problems) {
        // A file that could not be opened is already reported; don't call it short as well.
        bool known = std::any_of(report.problems.begin(), report.problems.end(),
                                 [&](const auto &q) { return q.file == p.file; });
        if (!known)
            report.problems.push_back(std::move(p));
    }
    checkManifest(dir, names, images, sizes, opened, report);
    return report;
}

std::filesystem::path findDataDir(const std::filesystem::path &explicitDir,
                                  const std::filesystem::path &exeDir) {
    if (!explicitDir.empty())
        return explicitDir;
    if (const char *env = std::getenv("YUEDU_DATA_DIR"); env && *env)
        return env;
    std::error_code ec;
    if (!exeDir.empty() && std::filesystem::exists(exeDir / kSegFileName, ec))
        return exeDir;
    // Beside the program, where an installed program keeps it, or in the data folder of the
    // build tree it was built in (build/src/cli/yuedu-cli and build/src/app/yuedu find
    // build/data). The installed folder comes before the build tree so that a program under
    // /usr/bin never picks up a stray /data.
    for (const auto &dir :
         {exeDir / "data", (exeDir / YUEDU_INSTALL_DATADIR_FROM_BINDIR).lexically_normal(),
          exeDir.parent_path() / "data", exeDir.parent_path().parent_path() / "data"})
        if (!exeDir.empty() && std::filesystem::exists(dir / kSegFileName, ec))
            return dir;
    return YUEDU_INSTALL_DATADIR;
}

} // namespace yuedu
