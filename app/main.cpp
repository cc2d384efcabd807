#include "app/panel_host.h"
#include "res/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    appInstance = instance;
    // The settings dialog holds up-down controls, whose class the common controls
    // library registers only when asked.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PANEL), nullptr, PanelDialogProc, 0);
    return 0;
}
