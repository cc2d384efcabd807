#include "app/poll_tick.h"

#include "app/drop_target.h"
#include "app/edge_trigger.h"
#include "app/panel_host.h"
#include "items/item_file.h"
#include "items/pages.h"
#include "platform/process.h"
#include "settings/settings.h"
#include "view/name_tip.h"
#include "view/paint.h"

int16_t currentScreenHeight;
RECT panelRect;
bool showingAtEdge;

int16_t ReadUsableScreenHeight()
{
    return UsableScreenHeight(GetSystemMetrics(SM_CYFULLSCREEN), GetSystemMetrics(SM_CYCAPTION));
}

// Whether the panel has been shown once: what only the shown panel needs is set up at its
// first show, not at start, so that the program starts as fast as it can.
static bool shownOnce;

static void ShowPanelAtEdge(HWND panel)
{
    if (!shownOnce) {
        shownOnce = true;
        CreateNameTip(panel);
        PrepareDropTarget(panel);
    }
    // The list follows its file: an edit shows at this reveal, from the first page.
    bool readAgain = ReadItemListIfChanged(moduleFolder);
    showingAtEdge = true;
    MoveWindow(panel, 0, 0, ScaleToDisplay(settings.WindowWidth), currentScreenHeight, TRUE);
    ShowWindow(panel, SW_SHOW);
    showingAtEdge = false;
    RECT client;
    GetClientRect(panel, &client);
    ComputeLastRowIndex(client.bottom);
    // Drawn over what the panel shows: nothing is cleared first, unless the list is new.
    if (readAgain) {
        HideNameTip();
        ClearPanel(panel);
    }
    DrawPageIcons(panel);
}

void OnPollTick(HWND panel)
{
    GetCursorPos(&cursorPos);
    EdgeInputs inputs = {cursorPos.x, 0, 0, startupScreenHeight, settings.ChangeSize};
    if (cursorPos.x != 0) {
        // Away from the edge a tick costs the cursor read and this one rectangle read.
        GetWindowRect(panel, &panelRect);
        inputs.panelRight = panelRect.right;
    } else {
        currentScreenHeight = ReadUsableScreenHeight();
        inputs.screenHeight = currentScreenHeight;
    }
    switch (DecideEdge(inputs)) {
    case EdgeAction::Hide:
        ShowWindow(panel, SW_HIDE);
        break;
    case EdgeAction::Show:
        ShowPanelAtEdge(panel);
        break;
    case EdgeAction::Nothing:
        break;
    }
}
