// What the program opens at start-up: the one quoted path that the file association passes on
// the command line, or else "auto.qvg" from the current directory.
#pragma once
#include "platform/String.h"

enum StartupOpenKind
{
    STARTUP_OPEN_NOTHING,
    STARTUP_OPEN_SETTINGS,  // a .qvg settings document
    STARTUP_OPEN_LOG,       // a .qvl log
};

struct StartupDocument
{
    StartupOpenKind kind = STARTUP_OPEN_NOTHING;
    CString path;
    // Non-zero for the automatic document: its enabled ports start whatever it says itself.
    int startEnabledPorts = 0;
};

// A non-empty command line is taken as one quoted path and expanded to its long form; its
// extension, compared case-sensitively, decides what it opens, and nothing else is tried. An
// empty command line opens "auto.qvg" when that file exists in the current directory.
StartupDocument ResolveStartupDocument(const char* commandLine);
