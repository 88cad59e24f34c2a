#pragma once
// Whether the desktop program can open its windows, decided before QApplication exists: Qt's
// own failure ("Could not load the Qt platform plugin ...") says nothing true to a user on a
// machine without a display.
#include <cstdio>

namespace yuedu::app {

// The one plain sentence shown when there is no display; run.sh shows the same sentence.
inline constexpr const char *kNoDisplayMessage =
    "yuedu: there is no display to open windows on; run it in a desktop session, or over "
    "\"ssh -X\" from one, or use yuedu-cli for the analyses on the command line.";

// The exit status of the desktop program when there is no display.
inline constexpr int kNoDisplayExitStatus = 3;

// True when a platform was chosen explicitly (QT_QPA_PLATFORM, e.g. offscreen), a Wayland
// display is named, or the X display can be opened.
bool displayAvailable();

// True when the arguments only ask for --help or --version, which need no display.
bool onlyAsksForInformation(int argc, char **argv);

} // namespace yuedu::app
