#include "wordstats/wordlist.h"

#include <algorithm>

namespace yuedu::wordstats {
namespace {

constexpr char16_t kBlank = u' ';

std::u16string_view trimBlanks(std::u16string_view s) {
    std::size_t first = s.find_first_not_of(kBlank);
    if (first == std::u16string_view::npos)
        return {};
    std::size_t last = s.find_last_not_of(kBlank);
    return s.substr(first, last - first + 1);
}

} // namespace

std::size_t ScanPieceSpans(std::u16string_view text, PieceScan variant,
                           const std::function<void(std::size_t, std::u16string_view)> &found) {
    const std::size_t bound = trimBlanks(text).size();
    std::size_t count = 0;
    // Hands on the piece text[a, b) trimmed of blanks, with where it starts; an empty one only
    // when it counts even empty. Says whether it handed one on.
    const auto emit = [&](std::size_t a, std::size_t b, bool evenEmpty) {
        const std::u16string_view raw = text.substr(a, b - a);
        const std::size_t lead = raw.find_first_not_of(kBlank);
        if (lead == std::u16string_view::npos) {
            if (evenEmpty)
                found(a, {});
            return evenEmpty;
        }
        found(a + lead, trimBlanks(raw));
        return true;
    };
    // pos is 0-based; in the raw scan a piece may start only while its 1-based position is
    // below bound (the blank-trimmed length), in the clean one anywhere up to the last character
    // that is not a blank, so that a last word of one character with nothing after it counts.
    const std::size_t lastNonBlank = text.find_last_not_of(kBlank);
    std::size_t pos = 0;
    while (variant == PieceScan::Raw
               ? pos + 1 < bound
               : lastNonBlank != std::u16string_view::npos && pos <= lastNonBlank) {
        const std::size_t gap = text.find(u"  ", pos);
        if (variant == PieceScan::Raw) {
            // Without a further double blank no later position can give a piece either.
            if (gap == std::u16string_view::npos)
                break;
            found(pos, text.substr(pos, gap - pos));
            ++count;
            pos = gap + 2;
            continue;
        }
        // A line end ends a word too: text segmented by hand has nothing after the last word
        // of a line. The segmenter's lines end after a word's blanks, so what stands before
        // such a line end is empty and gives no piece; a piece before a double blank counts
        // even when empty.
        const std::size_t end = gap == std::u16string_view::npos ? text.size() : gap;
        std::size_t from = pos;
        for (std::size_t br = text.find_first_of(u"\r\n", from); br < end;
             br = text.find_first_of(u"\r\n", from)) {
            if (emit(from, br, false))
                ++count;
            from = br + (text[br] == u'\r' && br + 1 < end && text[br + 1] == u'\n' ? 2 : 1);
        }
        // The end of the text ends the last word as well (a document's last paragraph has no
        // line end); the segmenter's text ends in a line end after blanks and has nothing there.
        if (gap == std::u16string_view::npos) {
            if (emit(from, text.size(), false))
                ++count;
            break;
        }
        emit(from, gap, true);
        ++count;
        pos = gap + 2;
    }
    return count;
}

std::size_t ScanPieces(std::u16string_view text, PieceScan variant, PieceList &words) {
    return ScanPieceSpans(text, variant, [&words](std::size_t, std::u16string_view piece) {
        words.emplace_back(piece);
    });
}

namespace {

std::uint64_t hashOf(std::u16string_view word) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (char16_t c : word)
        h = (h ^ c) * 0x100000001b3ULL;
    return h;
}

std::uint64_t packed(std::u16string_view word) {
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < word.size(); ++i)
        key |= std::uint64_t(word[i]) << (16 * i);
    return key;
}

std::size_t slotOf(std::uint64_t key, std::uint32_t length, std::size_t mask) {
    std::uint64_t h = key ^ (std::uint64_t(length) << 59);
    h = (h ^ (h >> 33)) * 0xff51afd7ed558ccdULL;
    h = (h ^ (h >> 33)) * 0xc4ceb9fe1a85ec53ULL;
    return static_cast<std::size_t>(h ^ (h >> 33)) & mask;
}

} // namespace

WordTally::WordTally() : m_slots(1024) {}

void WordTally::add(std::u16string_view word, std::int64_t n) {
    m_total += n;
    const auto length = static_cast<std::uint32_t>(word.size());
    if (word.size() > kPacked) {
        place(hashOf(word), length, word, n);
        return;
    }
    const std::uint64_t key = packed(word);
    __builtin_prefetch(&m_slots[slotOf(key, length, m_slots.size() - 1)], 1);
    if (m_waitingCount == kWaiting) {
        const Waiting w = m_waiting[m_waitingNext];
        m_waiting[m_waitingNext] = {key, length, n};
        m_waitingNext = (m_waitingNext + 1) % kWaiting;
        place(w.key, w.length, {}, w.count);
        return;
    }
    m_waiting[(m_waitingNext + m_waitingCount++) % kWaiting] = {key, length, n};
}

void WordTally::settle() const {
    for (; m_waitingCount > 0; --m_waitingCount) {
        const Waiting w = m_waiting[m_waitingNext];
        m_waitingNext = (m_waitingNext + 1) % kWaiting;
        place(w.key, w.length, {}, w.count);
    }
}

// word: the word itself when it is longer than a key holds; a shorter one is read from key.
void WordTally::place(std::uint64_t key, std::uint32_t length, std::u16string_view word,
                      std::int64_t n) const {
    if ((m_used + 1) * 2 > m_slots.size())
        grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = slotOf(key, length, mask);; i = (i + 1) & mask) {
        Slot &slot = m_slots[i];
        if (!slot.used) {
            slot = {key, m_chars.size(), length, true, n};
            if (length > kPacked)
                m_chars.append(word);
            else
                for (std::uint32_t k = 0; k < length; ++k)
                    m_chars += static_cast<char16_t>(key >> (16 * k));
            ++m_used;
            return;
        }
        if (slot.key == key && slot.length == length &&
            (length <= kPacked || wordOf(slot) == word)) {
            slot.count += n;
            return;
        }
    }
}

void WordTally::grow() const {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot &slot : old) {
        if (!slot.used)
            continue;
        std::size_t i = slotOf(slot.key, slot.length, mask);
        while (m_slots[i].used)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

std::vector<WordTally::Entry> WordTally::sorted() const {
    settle();
    std::vector<Entry> entries;
    entries.reserve(m_used);
    for (const Slot &slot : m_slots)
        if (slot.used)
            entries.push_back({wordOf(slot), slot.count});
    // char16_t compares as an unsigned code unit, the order wanted.
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.word < b.word; });
    return entries;
}

PieceStream::PieceStream(WordTally &tally, bool lfAsCrlf) : m_tally(tally), m_lfAsCrlf(lfAsCrlf) {}

void PieceStream::write(std::u16string_view block) {
    m_buffer.reserve(m_buffer.size() + block.size() + (m_lfAsCrlf ? block.size() / 8 : 0));
    std::uint64_t at = m_base + m_buffer.size();
    const auto put = [&](char16_t c) {
        m_buffer += c;
        if (c != kBlank) {
            m_blanksOnly = false;
            m_lastSolid = at;
        }
        ++at;
    };
    for (char16_t c : block) {
        if (m_lfAsCrlf && c == u'\n' && !m_lastWasCr)
            put(u'\r');
        m_lastWasCr = c == u'\r';
        put(c);
    }
    confirm();
    scan(false);
}

void PieceStream::finish() {
    scan(true);
    // What is still waiting started too near the end of the text to count.
    m_pending.clear();
    m_pendingChars.clear();
    m_buffer.clear();
    m_base = m_segment = m_lastSolid = 0;
    m_resume = 0;
    m_blanksOnly = true;
    m_lastWasCr = false;
}

// A stretch between double blanks gives pieces only when it starts at or before the text's last
// character that is not a blank (see ScanPieceSpans): a piece waits until such a character
// stands at or behind where its stretch starts.
bool PieceStream::counts(std::uint64_t segment) const {
    return !m_blanksOnly && m_lastSolid >= segment;
}

void PieceStream::confirm() {
    std::size_t n = 0;
    while (n < m_pending.size() && counts(m_pending[n].segment)) {
        const Pending &p = m_pending[n++];
        m_tally.add(std::u16string_view(m_pendingChars).substr(p.offset, p.length));
    }
    if (n == m_pending.size()) {
        m_pending.clear();
        m_pendingChars.clear();
    } else {
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(n));
    }
}

void PieceStream::piece(std::size_t from, std::size_t to, bool evenEmpty) {
    const std::u16string_view word =
        trimBlanks(std::u16string_view(m_buffer).substr(from, to - from));
    if (word.empty() && !evenEmpty)
        return;
    if (m_pending.empty() && counts(m_segment)) {
        m_tally.add(word);
        return;
    }
    m_pending.push_back({m_segment, m_pendingChars.size(), word.size()});
    m_pendingChars.append(word);
}

void PieceStream::scan(bool atEnd) {
    const std::u16string_view b = m_buffer;
    std::size_t from = 0;
    std::size_t k = m_resume;
    while (k < b.size()) {
        const char16_t c = b[k];
        if (c == kBlank) {
            if (k + 1 == b.size() && !atEnd)
                break; // a double blank, or not
            if (k + 1 == b.size() || b[k + 1] != kBlank) {
                ++k;
                continue;
            }
            piece(from, k, true);
            from = k = k + 2;
            m_segment = m_base + from;
            continue;
        }
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && k + 1 == b.size() && !atEnd)
                break; // CR LF, or not
            // A line end ends a word too (see ScanPieceSpans).
            piece(from, k, false);
            from = k = k + (c == u'\r' && k + 1 < b.size() && b[k + 1] == u'\n' ? 2 : 1);
            continue;
        }
        ++k;
    }
    if (atEnd) {
        piece(from, b.size(), false);
        return;
    }
    m_resume = k - from;
    m_buffer.erase(0, from);
    m_base += from;
}

WordTally tallyOf(const PieceList &words) {
    WordTally tally;
    for (const auto &word : words)
        tally.add(word);
    return tally;
}

std::u16string crlfLineBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            out += u'\r';
        out += text[i];
    }
    return out;
}

} // namespace yuedu::wordstats
