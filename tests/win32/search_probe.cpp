// A DLL that does nothing: the DLL search test places it beside its program and sees
// whether a load by bare name still finds it there.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
