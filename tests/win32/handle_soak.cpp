// Draws a page of real icons of every kind, the row highlight and the clear over and over, and
// marks its progress on stderr. check-handle-soak runs it under Wine's handle traces and
// compares the live handle counts at the marks: every icon, pen and device context taken
// in a round must be given back within it.
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "panel_test_support.h"
#include "view/highlight.h"
#include "view/paint.h"

namespace {

int const ENTRIES = 20;
int const ROW_HEIGHT = 20;
// The marks bracket the rounds whose handles are compared: by the first mark every
// allocation that happens once (caches, the first DC of the window) is behind us.
int const FIRST_MARK = 100;

// The thread id goes along, in the form Wine's traces start their lines with, so the
// script counts this thread's handles only and not those of Wine's own services.
void Mark(const char* what)
{
    // stderr, flushed, so the mark lands in order among Wine's own trace lines.
    fprintf(stderr, "SOAK-MARK %s %04lx\n", what, static_cast<unsigned long>(GetCurrentThreadId()));
    fflush(stderr);
}

}  // namespace

int main(int argc, char** argv)
{
    Mark("START");
    // Each round gets 19 icons from their files or the shell, which is slow under Wine: 400 rounds
    // keep the traced run under a minute and still show a leak of one handle in a round
    // 300 times over.
    int rounds = argc > 1 ? atoi(argv[1]) : 400;
    if (rounds <= FIRST_MARK)
        rounds = FIRST_MARK + 1;

    std::vector<std::string> programs = ProgramsWithIcons();
    if (programs.empty()) {
        fprintf(stderr, "handle_soak: no program with an icon found\n");
        return 2;
    }
    std::vector<std::string> entries;
    for (int i = 0; i < ENTRIES; ++i)
        entries.push_back(programs[i % programs.size()]);
    // Entries whose icons come from the shell: a folder, a document, a shortcut and an
    // address; and one without an icon, where the shell fails and nothing is destroyed.
    ScopedEntryFiles files(programs[0]);
    std::vector<std::string> others = {"C:\\windows", files.document(), files.shortcut(), "https://example.org/",
                                       "C:\\quorvane-no-such-folder\\missing.exe"};
    std::copy(others.begin(), others.end(), entries.end() - others.size());

    TestPanel panel(0, 0, 40, ENTRIES * ROW_HEIGHT + 10);
    ScopedPanelData data(entries);
    settings.ItemHeight = ROW_HEIGHT;
    panelState.lastRowIndex = ENTRIES - 1;

    for (int round = 1; round <= rounds; ++round) {
        settings.IconType = static_cast<int16_t>(round % 2);
        DrawPageIcons(panel.window());
        // A new row each round (with an erase pass), then the same row pressed (without).
        int row = round % (ENTRIES + 1);  // the last value is the strip below the rows
        UpdateRowHighlight(5, row * ROW_HEIGHT + 5, 0, panel.window(), panelState.hoverRow);
        UpdateRowHighlight(5, row * ROW_HEIGHT + 5, MK_LBUTTON, panel.window(), panelState.hoverRow);
        ClearPanel(panel.window());
        PumpMessages();
        if (round == FIRST_MARK)
            Mark("100");
    }
    Mark("END");
    return 0;
}
