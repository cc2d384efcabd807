// A real panel window for the drawing and launching tests, the entries and state those
// operations read, and pixel helpers. No GoogleTest here: the handle soak uses it too.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "items/item_list.h"
#include "items/pages.h"
#include "platform/win32.h"
#include "settings/settings.h"

// A borderless, top-most popup at a fixed screen position, so its client area is its whole
// window. It has no background brush and paints nothing itself: what the tests read back
// is only what they and the code under test drew.
class TestPanel {
public:
    TestPanel(int left, int top, int width, int height);
    ~TestPanel();
    TestPanel(TestPanel const&) = delete;
    TestPanel& operator=(TestPanel const&) = delete;

    HWND window() const { return window_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Fills the whole client area with one colour.
    void Fill(COLORREF colour) const;
    COLORREF Pixel(int x, int y) const;
    // Every client pixel, row by row (index y * width + x).
    std::vector<COLORREF> Capture() const;

private:
    HWND window_;
    int width_;
    int height_;
};

// Dispatches whatever is queued for this thread, so that no late paint message lands
// between a test's drawing and its reading.
void PumpMessages();

// Replaces the process-wide item list, panel state and settings for the life of the object
// and puts the previous ones back afterwards. The paths are in the code page, widened as the
// list reader widens them.
class ScopedPanelData {
public:
    explicit ScopedPanelData(std::vector<std::string> const& paths);
    ~ScopedPanelData();
    ScopedPanelData(ScopedPanelData const&) = delete;
    ScopedPanelData& operator=(ScopedPanelData const&) = delete;

private:
    ItemList savedList_;
    PanelState savedState_;
    Settings savedSettings_;
    Item head_;
    std::vector<std::vector<char16_t>> texts_;
    std::vector<Item> items_;
};

// The first icon of a file as the panel asks for it (the small or the large slot alone),
// or none; the caller destroys what it gets.
HICON ExtractTestIcon(const char* path, bool large);

// The icon the shell gives for a path (attributes 0) or, with SHGFI_USEFILEATTRIBUTES, for a
// type (".url", FILE_ATTRIBUTE_NORMAL), in the size the panel asks for; none when the call
// reports failure. The caller destroys what it gets.
// More flags (SHGFI_LINKOVERLAY) may be given.
HICON ShellTestIcon(const char* path, bool large, DWORD attributes = 0, UINT moreFlags = 0);

// Saves a shortcut (.lnk) to target at path (ASCII) through the shell's link object; COM must
// be initialised on this thread. Returns whether it was saved.
bool SaveShortcut(std::string const& target, std::string const& path);

// Files of each kind that the panel shows, made in the temporary folder and removed with the
// object: a text document, and a shortcut (.lnk) to target.
class ScopedEntryFiles {
public:
    explicit ScopedEntryFiles(std::string const& target);
    ~ScopedEntryFiles();
    ScopedEntryFiles(ScopedEntryFiles const&) = delete;
    ScopedEntryFiles& operator=(ScopedEntryFiles const&) = delete;

    std::string const& document() const { return document_; }
    // Empty when the shell could not make the shortcut.
    std::string const& shortcut() const { return shortcut_; }

private:
    std::string document_;
    std::string shortcut_;
};

// The Wine prefix's program files that carry an icon, found at run time.
std::vector<std::string> ProgramsWithIcons();

// The folder of this test program, with its trailing backslash.
std::string ModuleFolder();
