// The Windows library entry point. The C runtime's start-up routine sets up the standard
// library and then calls this, which has nothing to do.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
