#include "view/name_tip.h"

#include "items/pages.h"
#include "platform/process.h"
#include "settings/settings.h"
#include "view/entry_shell.h"
#include "view/tip_text.h"

namespace {

// At 100 %: how far the tip stands right of the panel, its widest line, and what the tip
// adds around its lines (margins, border) with some air to the screen's edge.
int32_t const TIP_GAP = 2;
int32_t const TIP_MAX_WIDTH = 400;
int32_t const TIP_FRAME = 16;

HWND tip;
// The entry whose name the tip shows; none while it is hidden.
Item* tipItem;
// Whether the system is watching the pointer for a rest and for leaving; it stops once it
// has reported either, or when the panel hides.
bool watching;

// Sends the tip a message about its one tool: the panel, its owner, whose tip we place
// (tracking) exactly where we ask. The tip keeps a copy of any text it is given.
void SendTool(UINT message, WPARAM wParam, wchar_t* text)
{
    TTTOOLINFOW tool = {};
    // The size of the record that the common controls 5 and 6 both take.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = GetWindow(tip, GW_OWNER);
    tool.lpszText = text;
    SendMessageW(tip, message, wParam, reinterpret_cast<LPARAM>(&tool));
}

// Beside the row, right of the panel, at the row's top; its lines wrap before the screen's
// right edge, so that the tip never moves over the panel to stay on the screen.
void PlaceTip(HWND panel, int16_t row)
{
    RECT frame;
    GetWindowRect(panel, &frame);
    POINT rowTop = {0, row * RowHeightInPixels()};
    ClientToScreen(panel, &rowTop);
    int32_t x = frame.right + ScaleToDisplay(TIP_GAP);
    int32_t room = GetSystemMetrics(SM_CXSCREEN) - x - ScaleToDisplay(TIP_FRAME);
    int32_t widest = ScaleToDisplay(TIP_MAX_WIDTH);
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, widest < room ? widest : room);
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, rowTop.y));
}

// Shows the name of the row's entry, or hides the tip for a row without one. The shell is
// asked only for an entry the tip does not show yet.
void ShowTipForRow(HWND panel, int16_t row)
{
    Item* item = ItemAtRow(row);
    if (item == tipItem)
        return;
    wchar_t text[TIP_TEXT_SIZE];
    text[0] = L'\0';
    if (item != nullptr)
        EntryTipText(text, item->path);
    if (text[0] == L'\0') {
        HideNameTip();
        return;
    }
    SendTool(TTM_UPDATETIPTEXTW, 0, text);
    PlaceTip(panel, row);
    if (tipItem == nullptr)
        SendTool(TTM_TRACKACTIVATE, TRUE, nullptr);
    tipItem = item;
}

}  // namespace

void CreateNameTip(HWND panel)
{
    if (tip != nullptr || LoadCommonControls() == 0)
        return;
    // Top-most as the panel that owns it is. No prefix: a '&' in a name is a character.
    tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                          0, 0, panel, nullptr, appInstance, nullptr);
    wchar_t none[] = L"";
    SendTool(TTM_ADDTOOLW, 0, none);
}

void FollowNameTip(HWND panel, int32_t y)
{
    if (tip == nullptr)
        return;
    if (!watching) {
        TRACKMOUSEEVENT track = {sizeof track, TME_HOVER | TME_LEAVE, panel, HOVER_DEFAULT};
        watching = TrackMouseEvent(&track) != FALSE;
    }
    if (tipItem != nullptr)
        ShowTipForRow(panel, RowFromY(y));
}

void ShowNameTip(HWND panel, int32_t y)
{
    // The system reports a rest once; the next move asks again.
    watching = false;
    if (tip != nullptr)
        ShowTipForRow(panel, RowFromY(y));
}

void HideNameTip()
{
    watching = false;
    if (tipItem == nullptr)
        return;
    tipItem = nullptr;
    SendTool(TTM_TRACKACTIVATE, FALSE, nullptr);
}
