// The program's entry point runs the application object. It sits in an object library of its
// own (platform_winmain) that the program links: inside a static library it would never be
// linked in, because the runtime library that calls WinMain is searched after ours.
#include "platform/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
