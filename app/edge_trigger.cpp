#include "app/edge_trigger.h"

#include "settings/settings.h"

EdgeAction DecideEdge(EdgeInputs const& inputs)
{
    if (inputs.cursorX != 0)
        return inputs.panelRight < inputs.cursorX ? EdgeAction::Hide : EdgeAction::Nothing;
    if (inputs.changeSize == 1 && inputs.screenHeight != inputs.startupScreenHeight)
        return EdgeAction::Nothing;
    if (inputs.fullScreenInFront)
        return EdgeAction::Nothing;
    return EdgeAction::Show;
}

bool IsFullScreenWindow(uint32_t style, ScreenRect const& window, ScreenRect const& monitor, bool primaryMonitor)
{
    if (!primaryMonitor || (style & VISIBLE_STYLE) == 0 || (style & CAPTION_STYLE) == CAPTION_STYLE)
        return false;
    if (monitor.right <= monitor.left || monitor.bottom <= monitor.top)
        return false;
    return window.left <= monitor.left && window.top <= monitor.top && window.right >= monitor.right &&
           window.bottom >= monitor.bottom;
}

int16_t UsableScreenHeight(int32_t fullScreenHeight, int32_t captionHeight)
{
    int16_t full = LowWordAsSigned(static_cast<uint32_t>(fullScreenHeight));
    return LowWordAsSigned(static_cast<uint32_t>(full) + static_cast<uint32_t>(captionHeight));
}

bool FrameHitIsClient(bool onFrame, int32_t y, int32_t clientTop, int32_t clientBottom)
{
    return onFrame && clientTop <= y && y < clientBottom;
}
