#include "app/panel_host.h"
#include "platform/process.h"
#include "res/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    StartProcess(instance);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PANEL), nullptr, PanelDialogProc, 0);
    return 0;
}
