#include "panel_test_support.h"

#include <limits.h>
#include <objbase.h>
#include <shlobj.h>

#include "items/list_text.h"

namespace {

const char* const PANEL_CLASS = "QuorvaneTestPanel";

void RegisterPanelClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA panelClass = {};
    panelClass.lpfnWndProc = DefWindowProcA;
    panelClass.hInstance = GetModuleHandleA(nullptr);
    panelClass.lpszClassName = PANEL_CLASS;
    // No background brush: an erase would otherwise paint over what a test laid down.
    panelClass.hbrBackground = nullptr;
    RegisterClassA(&panelClass);
    registered = true;
}

}  // namespace

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

TestPanel::TestPanel(int left, int top, int width, int height) : width_(width), height_(height)
{
    RegisterPanelClass();
    window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, PANEL_CLASS, "test panel",
                              WS_POPUP | WS_VISIBLE, left, top, width, height, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window_);
    PumpMessages();
}

TestPanel::~TestPanel()
{
    DestroyWindow(window_);
    PumpMessages();
}

void TestPanel::Fill(COLORREF colour) const
{
    HDC dc = GetDC(window_);
    RECT client = {0, 0, width_, height_};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window_, dc);
}

COLORREF TestPanel::Pixel(int x, int y) const
{
    HDC dc = GetDC(window_);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window_, dc);
    return colour;
}

std::vector<COLORREF> TestPanel::Capture() const
{
    std::vector<COLORREF> pixels(static_cast<size_t>(width_) * height_);
    HDC dc = GetDC(window_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            pixels[static_cast<size_t>(y) * width_ + x] = GetPixel(dc, x, y);
    ReleaseDC(window_, dc);
    return pixels;
}

ScopedPanelData::ScopedPanelData(std::vector<std::string> const& paths)
    : savedList_(itemList), savedState_(panelState), savedSettings_(settings), head_()
{
    for (std::string const& path : paths) {
        texts_.emplace_back(path.size() + 1, u'\0');
        WidenCodePage(path.data(), path.size(), texts_.back().data());
    }
    items_.resize(paths.size());
    for (size_t i = 0; i < items_.size(); ++i) {
        items_[i].path = texts_[i].data();
        items_[i].next = i + 1 < items_.size() ? &items_[i + 1] : nullptr;
    }
    head_.path = nullptr;
    head_.next = items_.empty() ? nullptr : &items_[0];
    itemList.head = &head_;
    itemList.itemCount = static_cast<int16_t>(items_.size());
    panelState = PanelState{0, 0, 0};
    settings = DEFAULT_SETTINGS;
}

ScopedPanelData::~ScopedPanelData()
{
    itemList = savedList_;
    panelState = savedState_;
    settings = savedSettings_;
}

HICON ExtractTestIcon(const char* path, bool large)
{
    HICON icon = nullptr;
    UINT got = ExtractIconExA(path, 0, large ? &icon : nullptr, large ? nullptr : &icon, 1);
    if (got == 0 || got == UINT_MAX)
        return nullptr;
    return icon;
}

HICON ShellTestIcon(const char* path, bool large, DWORD attributes, UINT moreFlags)
{
    SHFILEINFOA info = {};
    UINT flags = SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON) | moreFlags;
    if (attributes != 0)
        flags |= SHGFI_USEFILEATTRIBUTES;
    return SHGetFileInfoA(path, attributes, &info, sizeof info, flags) != 0 ? info.hIcon : nullptr;
}

bool SaveShortcut(std::string const& target, std::string const& path)
{
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* file = nullptr;
    bool saved = SUCCEEDED(link->SetPath(target.c_str())) &&
                 SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    if (saved) {
        std::wstring wide(path.begin(), path.end());  // a temporary path of ASCII characters
        saved = SUCCEEDED(file->Save(wide.c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

ScopedEntryFiles::ScopedEntryFiles(std::string const& target)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::string name = std::string(folder) + "quorvane-entry-" + std::to_string(GetCurrentProcessId());
    document_ = name + ".txt";  // empty: its type alone decides its icon
    CloseHandle(CreateFileA(document_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    shortcut_ = name + ".lnk";
    if (!SaveShortcut(target, shortcut_))
        shortcut_.clear();
}

ScopedEntryFiles::~ScopedEntryFiles()
{
    DeleteFileA(document_.c_str());
    if (!shortcut_.empty())
        DeleteFileA(shortcut_.c_str());
}

std::vector<std::string> ProgramsWithIcons()
{
    static const char* const candidates[] = {
        "C:\\windows\\notepad.exe",         "C:\\windows\\regedit.exe",
        "C:\\windows\\system32\\winecfg.exe", "C:\\windows\\explorer.exe",
        "C:\\windows\\hh.exe",              "C:\\windows\\system32\\taskmgr.exe",
        "C:\\windows\\system32\\control.exe", "C:\\windows\\system32\\winemine.exe",
        "C:\\windows\\system32\\cmd.exe",   "C:\\windows\\system32\\wordpad.exe",
        "C:\\windows\\system32\\msiexec.exe", "C:\\windows\\system32\\oleview.exe",
        "C:\\windows\\system32\\winefile.exe", "C:\\windows\\system32\\iexplore.exe",
    };
    std::vector<std::string> found;
    for (const char* candidate : candidates) {
        HICON small = ExtractTestIcon(candidate, false);
        HICON large = ExtractTestIcon(candidate, true);
        if (small != nullptr && large != nullptr)
            found.push_back(candidate);
        if (small != nullptr)
            DestroyIcon(small);
        if (large != nullptr)
            DestroyIcon(large);
    }
    return found;
}

std::string ModuleFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}
