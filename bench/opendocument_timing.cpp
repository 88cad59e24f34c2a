// Where the time of opening a large document goes in the desktop program: reading the file,
// decoding or parsing it, and building the editor's text document; then the same for the RTF
// the program saves of it; then typing and undoing in the editor. Usage:
// opendocument_timing [--typing] [FILE] (default: a generated 20 MB text); --typing times only
// the editor on the plain text (for a profiler).
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string_view>
#include <utility>

#include "app/documentconvert.h"
#include "app/richtextbox.h"
#include "docfile/documentreader.h"
#include "docfile/rtfwriter.h"

using namespace yuedu;

namespace {

std::string generatedText(std::size_t bytes) {
    const std::string line =
        "天地玄黃，宇宙洪荒。日月盈昃，辰宿列張。寒來暑往，秋收冬藏。閏餘成歲，"
        "律呂調陽。雲騰致雨，露結為霜。\n";
    std::string out;
    out.reserve(bytes + line.size());
    while (out.size() < bytes)
        out += line;
    return out;
}

// CPU time of the process in ms: on a busy machine it says what the work costs.
double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Wall and CPU time since the last report.
void report(const char *step, QElapsedTimer &t) {
    static double lastCpu = 0;
    const double cpu = cpuMs();
    std::printf("%-28s %8lld ms (CPU %.0f)\n", step, static_cast<long long>(t.restart()),
                cpu - lastCpu);
    lastCpu = cpu;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QElapsedTimer t;
    t.start();
    const bool typingOnly = argc > 1 && std::string_view(argv[1]) == "--typing";
    const int fileArg = typingOnly ? 2 : 1;
    std::string bytes =
        argc > fileArg ? doc::readFileBytes(argv[fileArg]) : generatedText(20'000'000);
    std::printf("%zu bytes\n", bytes.size());
    report("read", t);
    std::string rtf;
    if (!typingOnly) {
        doc::LoadedDocument loaded = doc::readDocument(bytes, "text");
        report("decode (plain text)", t);
        QTextDocument document;
        app::fillTextDocument(document, loaded.document);
        report("build QTextDocument", t);
        doc::RichDocument back = app::richDocumentOf(document);
        report("QTextDocument to runs", t);
        rtf = doc::writeRtf(back);
        report("write RTF", t);
        loaded = doc::readDocument(rtf, "rtf");
        report("parse RTF", t);
        QTextDocument again;
        app::fillTextDocument(again, loaded.document);
        report("build QTextDocument (RTF)", t);
    }

    // The editor as the program shows it: filled, shown, laid out to the end.
    for (const std::string *file : {&bytes, &rtf}) {
        if (file->empty())
            continue;
        app::RichTextBox box;
        box.resize(800, 600);
        box.show();
        QApplication::processEvents();
        t.restart();
        const doc::LoadedDocument f = doc::readDocument(*file, "file");
        report(file == &bytes ? "editor: decode text" : "editor: parse RTF", t);
        box.showDocument(f.document);
        report("editor: fill", t);
        QApplication::processEvents();
        report("editor: first paint", t);
        box.document()->pageCount(); // lays the whole document out
        report("editor: layout to the end", t);

        // Typing near the start, in the middle and near the end, and undoing it: what one
        // keystroke costs, painted.
        box.setFocus();
        const int length = box.document()->characterCount();
        const std::pair<const char *, int> places[] = {
            {"start", 10}, {"middle", length / 2}, {"end", std::max(0, length - 10)}};
        for (const auto &[where, at] : places) {
            box.setSelection(at, 0);
            box.ensureCursorVisible();
            QApplication::processEvents();
            constexpr int kKeys = 20;
            QElapsedTimer keys;
            keys.start();
            double cpu = cpuMs();
            double worst = 0;
            for (int k = 0; k < kKeys; ++k) {
                QElapsedTimer one;
                one.start();
                QTest::keyClick(&box, Qt::Key_A);
                QApplication::processEvents();
                worst = std::max(worst, one.nsecsElapsed() / 1e6);
            }
            std::printf("editor: keystroke at %-7s %8.1f ms (worst %.1f, CPU %.1f)\n", where,
                        keys.nsecsElapsed() / 1e6 / kKeys, worst, (cpuMs() - cpu) / kKeys);
            keys.restart();
            cpu = cpuMs();
            // The keystrokes typed in a row are one step to undo, as in any editor.
            box.undo();
            QApplication::processEvents();
            std::printf("editor: undo at %-12s %8.1f ms (CPU %.1f)\n", where,
                        keys.nsecsElapsed() / 1e6, cpuMs() - cpu);
            if (box.document()->characterCount() != length)
                std::printf("editor: the undo left %d characters of %d\n",
                            box.document()->characterCount(), length);
        }
        t.restart();
    }
    return 0;
}
