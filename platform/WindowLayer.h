// Included by every header of the window library. The window-free libraries (the base library,
// the core, its engine and its log) are compiled with QUORVEX_WINDOW_FREE, so that window code
// reaching them, even through another header, fails the build.
#pragma once
#ifdef QUORVEX_WINDOW_FREE
#error "a window-free library includes a header of the window library"
#endif
