#include "view/name_tip.h"

#include "items/pages.h"
#include "platform/process.h"
#include "settings/settings.h"
#include "view/entry_shell.h"
#include "view/tip_text.h"

namespace {

// At 100 %: how far the tip stands right of the panel, its widest line, the narrowest it
// stands right of the panel with, and what the tip adds around its lines (margins, border)
// with some air to the screen's edge.
int32_t const TIP_GAP = 2;
int32_t const TIP_MAX_WIDTH = 400;
int32_t const TIP_MIN_WIDTH = 120;
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
    // Transparent: a tip over the panel lets the pointer's moves through to it.
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.hwnd = GetWindow(tip, GW_OWNER);
    tool.lpszText = text;
    SendMessageW(tip, message, wParam, reinterpret_cast<LPARAM>(&tool));
}

// Beside the row at the row's top: right of the panel, its lines wrapped before the screen's
// right edge; a panel about as wide as the screen leaves no room there, and the tip then
// stands beside the pointer, over the panel, on the screen all the same.
void PlaceTip(HWND panel, int16_t row)
{
    RECT frame;
    GetWindowRect(panel, &frame);
    POINT rowTop = {0, row * RowHeightInPixels()};
    ClientToScreen(panel, &rowTop);
    POINT pointer;
    GetCursorPos(&pointer);
    TipSizes sizes = {ScaleToDisplay(TIP_GAP), GetSystemMetrics(SM_CXCURSOR) / 2, ScaleToDisplay(TIP_MAX_WIDTH),
                      ScaleToDisplay(TIP_MIN_WIDTH), ScaleToDisplay(TIP_FRAME)};
    TipPlacement place = PlaceTipBeside(frame.right, pointer.x, GetSystemMetrics(SM_CXSCREEN), sizes);
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, place.maxWidth);
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(place.x, rowTop.y));
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
