/* A drag source that drags one file as Explorer does: OLE DoDragDrop with the shell's own
 * data object for the file, started by a press on its window.
 *   drag_source FILE RESULT   shows the window "quorvane drag source"; when the drag ends
 *                             writes DoDragDrop's result and the effect, in hex, into RESULT
 *                             and exits with 0
 * Exit code 3 when the shell gives no data object for the file. */
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <stdio.h>

static IDataObject* data;
static const char* resultPath;

static HRESULT STDMETHODCALLTYPE SourceQueryInterface(IDropSource* self, REFIID id, void** object)
{
    *object = IsEqualIID(id, &IID_IUnknown) || IsEqualIID(id, &IID_IDropSource) ? self : NULL;
    return *object != NULL ? S_OK : E_NOINTERFACE;
}

/* One static source: nothing to count. */
static ULONG STDMETHODCALLTYPE SourceAddRef(IDropSource* self) { (void)self; return 2; }
static ULONG STDMETHODCALLTYPE SourceRelease(IDropSource* self) { (void)self; return 1; }

/* Drops where the left button is released; Escape gives up. */
static HRESULT STDMETHODCALLTYPE QueryContinueDrag(IDropSource* self, BOOL escape, DWORD keys)
{
    (void)self;
    if (escape)
        return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
}

static HRESULT STDMETHODCALLTYPE GiveFeedback(IDropSource* self, DWORD effect)
{
    (void)self;
    (void)effect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

static IDropSourceVtbl sourceCalls = {SourceQueryInterface, SourceAddRef, SourceRelease, QueryContinueDrag,
                                      GiveFeedback};
static IDropSource source = {&sourceCalls};

static LRESULT CALLBACK SourceWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_LBUTTONDOWN)
        return DefWindowProcA(window, message, wParam, lParam);
    DWORD effect = DROPEFFECT_NONE;
    HRESULT result = DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
    FILE* out = fopen(resultPath, "w");
    if (out != NULL) {
        fprintf(out, "%08lx %lx\n", (unsigned long)result, (unsigned long)effect);
        fclose(out);
    }
    PostQuitMessage(0);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    resultPath = argv[2];
    OleInitialize(NULL);
    WCHAR path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
    PIDLIST_ABSOLUTE item;
    IShellFolder* folder;
    PCUITEMID_CHILD child;
    if (FAILED(SHParseDisplayName(path, NULL, &item, 0, NULL)) ||
        FAILED(SHBindToParent(item, &IID_IShellFolder, (void**)&folder, &child)) ||
        FAILED(folder->lpVtbl->GetUIObjectOf(folder, NULL, 1, &child, &IID_IDataObject, NULL, (void**)&data)))
        return 3;
    WNDCLASSA windowClass = {0};
    windowClass.lpfnWndProc = SourceWindow;
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "quorvane_drag_source";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "quorvane_drag_source", "quorvane drag source", WS_POPUP | WS_BORDER | WS_VISIBLE, 300, 200,
                    160, 100, NULL, NULL, NULL, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
