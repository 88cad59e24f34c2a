#include "concord/wordcorpus.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/errors.h"
#include "common/workers.h"
#include "compare/corpus.h"
#include "segment/phrasedivider.h"
#include "wordstats/wordlist.h"

namespace yuedu::concord {
namespace fs = std::filesystem;

std::int64_t CorpusText::lineOf(std::size_t position) const {
    if (m_lineStarts.empty()) {
        m_lineStarts.push_back(0);
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == u'\n')
                m_lineStarts.push_back(static_cast<std::uint32_t>(i + 1));
    }
    const auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(),
                                     static_cast<std::uint32_t>(position));
    return static_cast<std::int64_t>(it - m_lineStarts.begin());
}

std::optional<WordId> WordCorpus::find(std::u16string_view word) const {
    const auto it = m_ids.find(std::u16string(word));
    if (it == m_ids.end())
        return std::nullopt;
    return it->second;
}

WordId WordCorpus::intern(const std::u16string &word) {
    const auto [it, added] = m_ids.emplace(word, static_cast<WordId>(m_words.size()));
    if (added) {
        m_words.push_back(word);
        m_counts.push_back(0);
    }
    return it->second;
}

CorpusText viewOf(std::string name, bool segmented, std::shared_ptr<const OwnedText> owned) {
    CorpusText text;
    text.name = std::move(name);
    text.segmented = segmented;
    text.text = owned->text;
    text.words = owned->words;
    text.starts = owned->starts;
    text.breakBefore = owned->breakBefore;
    text.storage = std::move(owned);
    return text;
}

void WordCorpus::add(CorpusText text, const std::vector<std::u16string> &local) {
    std::vector<WordId> map(local.size());
    bool same = true;
    for (std::size_t i = 0; i < local.size(); ++i) {
        map[i] = intern(local[i]);
        same = same && map[i] == i;
    }
    // The first text's ids are the corpus's own; a later one's are turned into them.
    if (!same) {
        struct Renumbered {
            std::shared_ptr<const void> before;
            std::vector<WordId> words;
        };
        auto renumbered = std::make_shared<Renumbered>();
        renumbered->words.reserve(text.words.size());
        for (WordId id : text.words)
            renumbered->words.push_back(map[id]);
        renumbered->before = std::move(text.storage);
        text.words = renumbered->words;
        text.storage = std::move(renumbered);
    }
    for (WordId id : text.words)
        ++m_counts[id];
    m_tokens += static_cast<std::int64_t>(text.words.size());
    texts.push_back(std::move(text));
}

namespace {

bool isHanzi(char16_t c) {
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xD840 && c <= 0xD87E);
}

bool isSpacing(char16_t c) {
    return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t' || c == u'\x3000';
}

// Gives each piece an id of the text's own table.
class LocalTable {
public:
    explicit LocalTable(std::vector<std::u16string> &words) : m_words(words) {}
    WordId id(std::u16string_view word) {
        const auto [it, added] =
            m_ids.emplace(std::u16string(word), static_cast<WordId>(m_words.size()));
        if (added)
            m_words.emplace_back(word);
        return it->second;
    }

private:
    std::vector<std::u16string> &m_words;
    std::unordered_map<std::u16string, WordId> m_ids;
};

} // namespace

bool looksSegmented(std::u16string_view text) {
    std::size_t hanzi = 0;
    std::size_t gaps = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isHanzi(text[i]))
            ++hanzi;
        else if (text[i] == u' ' && i + 1 < text.size() && text[i + 1] == u' ') {
            ++gaps;
            ++i;
        }
    }
    return gaps > 0 && gaps * 4 >= hanzi;
}

CorpusText cutText(std::string name, std::u16string text, bool segmented,
                   const seg::PhraseDivider *divider, std::vector<std::u16string> &local) {
    auto out = std::make_shared<OwnedText>();
    LocalTable table(local);
    if (text.size() >= UINT32_MAX)
        throw Error(name + ": the text is too long to look words up in");
    if (segmented) {
        // Cut exactly as the frequency list cuts a segmented file.
        out->text = wordstats::crlfLineBreaks(text);
        wordstats::ScanPieceSpans(out->text, wordstats::PieceScan::Clean,
                                  [&](std::size_t start, std::u16string_view piece) {
                                      if (piece.empty())
                                          return;
                                      out->words.push_back(table.id(piece));
                                      out->starts.push_back(static_cast<std::uint32_t>(start));
                                      out->breakBefore.push_back(0);
                                  });
        return viewOf(std::move(name), true, std::move(out));
    }
    out->text = std::move(text);
    const std::u16string &read = out->text;
    const std::u16string divided = divider->DivideText(read);
    // The segmentation keeps the characters of each word and their order, passing over only
    // what starts no word; each word is found again after the one before.
    std::size_t cursor = 0;
    wordstats::ScanPieceSpans(
        divided, wordstats::PieceScan::Clean, [&](std::size_t, std::u16string_view piece) {
            if (piece.empty())
                return;
            std::size_t at = read.find(piece, cursor);
            if (at == std::u16string::npos)
                at = cursor; // not found as written: stands where the last word ended
            bool broken = out->words.empty();
            for (std::size_t i = cursor; i < at && !broken; ++i)
                broken = !isSpacing(read[i]);
            out->words.push_back(table.id(piece));
            out->starts.push_back(static_cast<std::uint32_t>(at));
            out->breakBefore.push_back(broken ? 1 : 0);
            cursor = std::max(cursor, std::min(at + piece.size(), read.size()));
        });
    return viewOf(std::move(name), false, std::move(out));
}

// The kept texts -----------------------------------------------------------------------------

namespace {

constexpr std::uint32_t kCacheMagic = 0x43574459; // "YDWC"
constexpr std::uint32_t kCacheVersion = 1;

struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t time = 0;
};

std::optional<FileStamp> stampOf(const std::string &path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec)
        return std::nullopt;
    const auto time = fs::last_write_time(path, ec);
    if (ec)
        return std::nullopt;
    return FileStamp{size, static_cast<std::int64_t>(time.time_since_epoch().count())};
}

fs::path cachePath(const fs::path &dir, const std::string &path) {
    std::error_code ec;
    const std::string absolute = fs::absolute(path, ec).lexically_normal().string();
    // FNV-1a of the absolute path names the kept file; the path itself is checked on reading.
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : absolute)
        h = (h ^ c) * 1099511628211ULL;
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.ywc", static_cast<unsigned long long>(h));
    return dir / name;
}

// Every array starts on a multiple of eight bytes, so that a mapped file can be read in place.
class Writer {
public:
    explicit Writer(std::ofstream &out) : m_out(out) {}
    template <typename T> void value(T v) { put(&v, sizeof v); }
    template <typename T> void array(std::span<const T> v) {
        value<std::uint64_t>(v.size());
        static const char zeros[8] = {};
        put(zeros, (8 - m_at % 8) % 8);
        put(v.data(), v.size() * sizeof(T));
    }
    void string(std::string_view s) { array(std::span<const char>(s.data(), s.size())); }
    void string(std::u16string_view s) { array(std::span<const char16_t>(s.data(), s.size())); }

private:
    void put(const void *data, std::size_t n) {
        m_out.write(static_cast<const char *>(data), static_cast<std::streamsize>(n));
        m_at += n;
    }
    std::ofstream &m_out;
    std::size_t m_at = 0;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool ok() const { return m_ok; }
    template <typename T> T value() {
        T v{};
        if (!m_ok || sizeof v > m_bytes.size() - m_at) {
            m_ok = false;
            return v;
        }
        std::memcpy(&v, m_bytes.data() + m_at, sizeof v);
        m_at += sizeof v;
        return v;
    }
    // An array as it stands in the bytes, not copied.
    template <typename T> std::span<const T> array() {
        const auto n = value<std::uint64_t>();
        m_at += (8 - m_at % 8) % 8;
        if (!m_ok || m_at > m_bytes.size() || n > (m_bytes.size() - m_at) / sizeof(T)) {
            m_ok = false;
            return {};
        }
        const auto *p = reinterpret_cast<const T *>(m_bytes.data() + m_at);
        m_at += n * sizeof(T);
        return {p, static_cast<std::size_t>(n)};
    }
    std::string string() {
        const auto s = array<char>();
        return {s.data(), s.size()};
    }
    std::u16string_view string16() {
        const auto s = array<char16_t>();
        return {s.data(), s.size()};
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

// A kept file mapped into memory, unmapped with the last text that views it.
struct MappedFile {
    void *address = MAP_FAILED;
    std::size_t size = 0;
    ~MappedFile() {
        if (address != MAP_FAILED)
            ::munmap(address, size);
    }
};

std::shared_ptr<const MappedFile> mapFile(const fs::path &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    auto mapped = std::make_shared<MappedFile>();
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        mapped->size = static_cast<std::size_t>(st.st_size);
        mapped->address = ::mmap(nullptr, mapped->size, PROT_READ, MAP_PRIVATE, fd, 0);
    }
    ::close(fd);
    return mapped->address == MAP_FAILED ? nullptr : mapped;
}

std::optional<CorpusText> readKept(const fs::path &dir, const std::string &path,
                                   const std::string &stamp, std::vector<std::u16string> &local) {
    const auto source = stampOf(path);
    if (!source)
        return std::nullopt;
    const auto mapped = mapFile(cachePath(dir, path));
    if (!mapped)
        return std::nullopt;
    Reader r(std::string_view(static_cast<const char *>(mapped->address), mapped->size));
    if (r.value<std::uint32_t>() != kCacheMagic || r.value<std::uint32_t>() != kCacheVersion)
        return std::nullopt;
    const std::string keptPath = r.string();
    const std::string keptStamp = r.string();
    const auto size = r.value<std::uint64_t>();
    const auto time = r.value<std::int64_t>();
    if (!r.ok() || keptPath != fs::absolute(path).lexically_normal().string() ||
        keptStamp != stamp || size != source->size || time != source->time)
        return std::nullopt;
    CorpusText text;
    text.name = path;
    text.segmented = r.value<std::uint8_t>() != 0;
    text.text = r.string16();
    const auto distinct = r.value<std::uint64_t>();
    if (!r.ok() || distinct > mapped->size)
        return std::nullopt;
    local.resize(distinct);
    for (auto &word : local)
        word = r.string16();
    text.words = r.array<WordId>();
    text.starts = r.array<std::uint32_t>();
    text.breakBefore = r.array<std::uint8_t>();
    if (!r.ok() || text.starts.size() != text.words.size() ||
        text.breakBefore.size() != text.words.size())
        return std::nullopt;
    for (std::size_t i = 0; i < text.words.size(); ++i)
        if (text.words[i] >= local.size() || text.starts[i] >= text.text.size())
            return std::nullopt;
    text.storage = mapped;
    return text;
}

// Keeping is a convenience: a folder that cannot be written to only costs the next run time.
void keep(const fs::path &dir, const CorpusText &text, const std::string &stamp,
          const std::vector<std::u16string> &local) {
    const auto source = stampOf(text.name);
    if (!source)
        return;
    std::error_code ec;
    fs::create_directories(dir, ec);
    const fs::path target = cachePath(dir, text.name);
    fs::path temp = target;
    // Another process, or another thread, may be keeping the same text: each writes its own.
    temp += ".tmp" + std::to_string(::getpid()) + "." +
            std::to_string(std::hash<std::thread::id>{}(std::this_thread::get_id()));
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return;
        Writer w(out);
        w.value(kCacheMagic);
        w.value(kCacheVersion);
        w.string(std::string_view(fs::absolute(text.name).lexically_normal().string()));
        w.string(std::string_view(stamp));
        w.value(source->size);
        w.value(source->time);
        w.value<std::uint8_t>(text.segmented ? 1 : 0);
        w.string(text.text);
        w.value<std::uint64_t>(local.size());
        for (const auto &word : local)
            w.string(std::u16string_view(word));
        w.array(text.words);
        w.array(text.starts);
        w.array(text.breakBefore);
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            return;
        }
    }
    fs::rename(temp, target, ec);
    if (ec)
        fs::remove(temp, ec);
}

} // namespace

std::string dataStamp(const fs::path &dir) {
    std::vector<std::string> entries;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc))
            continue;
        const auto stamp = stampOf(it->path().string());
        if (stamp)
            entries.push_back(it->path().filename().string() + ":" + std::to_string(stamp->size) +
                              ":" + std::to_string(stamp->time));
    }
    std::sort(entries.begin(), entries.end());
    std::string out;
    for (const auto &e : entries)
        out += e + "\n";
    return out;
}

fs::path defaultCacheDir() {
    if (const char *dir = std::getenv("YUEDU_CACHE_DIR"); dir && *dir)
        return dir;
    if (const char *dir = std::getenv("XDG_CACHE_HOME"); dir && *dir)
        return fs::path(dir) / "yuedu" / "words";
    if (const char *home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".cache" / "yuedu" / "words";
    return {};
}

CorpusBuild buildCorpus(const std::vector<CorpusSource> &sources, const CorpusOptions &options,
                        const DividerFn &divider, const CorpusProgressFn &progress,
                        const std::atomic<bool> *cancel) {
    const std::size_t total = sources.size();
    std::vector<std::optional<CorpusText>> texts(total);
    std::vector<std::vector<std::u16string>> tables(total);
    std::vector<std::optional<CorpusFailure>> failures(total);
    std::atomic<std::size_t> next{0};
    std::mutex lock; // guards the progress count and the making of the divider
    std::size_t done = 0;
    const seg::PhraseDivider *made = nullptr;
    auto getDivider = [&]() -> const seg::PhraseDivider * {
        std::lock_guard guard(lock);
        if (!made)
            made = &divider();
        return made;
    };

    auto work = [&] {
        for (;;) {
            if (cancel && cancel->load())
                return;
            const std::size_t i = next.fetch_add(1);
            if (i >= total)
                return;
            const CorpusSource &source = sources[i];
            const bool file = !source.text;
            try {
                if (file && !options.cacheDir.empty())
                    texts[i] =
                        readKept(options.cacheDir, source.name, options.dataStamp, tables[i]);
                if (!texts[i]) {
                    tables[i].clear();
                    std::u16string text = file ? compare::readText(source.name) : *source.text;
                    const bool segmented = looksSegmented(text);
                    texts[i] = cutText(source.name, std::move(text), segmented,
                                       segmented ? nullptr : getDivider(), tables[i]);
                    if (file && !options.cacheDir.empty())
                        keep(options.cacheDir, *texts[i], options.dataStamp, tables[i]);
                }
            } catch (const Error &e) {
                texts[i].reset();
                failures[i] = CorpusFailure{source.name, e.what()};
            } catch (const std::bad_alloc &) {
                texts[i].reset();
                failures[i] = CorpusFailure{source.name, source.name + ": out of memory"};
            }
            std::lock_guard guard(lock);
            ++done;
            if (progress)
                progress(done, total);
        }
    };
    runWorkers(options.jobs, total, work);

    CorpusBuild build;
    build.cancelled = cancel && cancel->load() && done < total;
    for (std::size_t i = 0; i < total; ++i) {
        if (texts[i])
            build.corpus.add(std::move(*texts[i]), tables[i]);
        if (failures[i])
            build.failures.push_back(std::move(*failures[i]));
    }
    return build;
}

} // namespace yuedu::concord
