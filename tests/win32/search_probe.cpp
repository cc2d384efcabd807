// A DLL that does nothing: the DLL search tests place it beside their program and in a
// current folder, and see from where a load by bare name still finds it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
