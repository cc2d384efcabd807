# Helpers for the end-to-end tests: the real quorvane.exe in a test folder under Wine on
# Xvfb, driven with xdotool and checked by screenshots, files and exit codes.
# Sourced by tests/e2e/run after scripts/wine-env. Each test runs in a subshell whose
# working directory is its own folder $T; `fail` ends that subshell with a reason.
# shellcheck disable=SC2034  # the globals set here (geometries, frame, menu) are read by the test files

# Where the runner parks the cursor: away from column 0 (the panel's trigger), from the
# tray, the centred dialogs and the moved tray's menu.
PARK_X=400
PARK_Y=700
# Where the tray window is dragged to, so that its menu opens above the cursor as asked
# (near the top edge the platform pushes the menu down over the icon instead) and the
# panel at the left edge never covers the icon.
TRAY_TO_X=700
TRAY_TO_Y=560

# The MinGW-w64 C compiler for small Windows programs the tests build: the architecture of
# the Wine that runs here.
E2E_CC=x86_64-w64-mingw32-gcc
[ "$QUORVANE_ARCH" = win32 ] && E2E_CC=i686-w64-mingw32-gcc

fail() {
  printf '%s\n' "$*" >"$T/.reason"
  exit 1
}

# Tenths of a second in a time given as seconds, such as 2 or 1.5.
tenths() {
  local whole=${1%.*} part=
  [ "$whole" = "$1" ] || part=${1#*.}
  echo $((${whole:-0} * 10 + ${part:0:1}0 / 10))
}

# wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s; 0 as soon as it succeeds.
wait_until() {
  local n i
  n=$(tenths "$1")
  shift
  for ((i = 0; i < n; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

# stays_true SECONDS COMMAND...: 0 when COMMAND holds at every poll for SECONDS.
stays_true() {
  local n i
  n=$(tenths "$1")
  shift
  for ((i = 0; i < n; i++)); do
    "$@" || return 1
    sleep 0.1
  done
}

# The Windows name of a Linux path: Wine maps Z:\ to /.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# A text file with CR LF line ends, one argument per line.
write_crlf() {
  local file=$1
  shift
  printf '%s\r\n' "$@" >"$file"
}

# ---------------------------------------------------------------- pressing buttons

# press BUTTON X Y [down]: a click (press and release) of the button (1 left, 3 right) at a
# screen point; with "down", the press alone. Windows makes a second press of a button within the double-click time and
# rectangle of the one before a double click (WM_xBUTTONDBLCLK), which the panel and the
# tray icon leave alone. So a press near the previous press of the same button first waits
# out the double-click time that Windows reports; a press elsewhere goes at once. The last
# press is kept in a file, so that it outlives the subshell of a test.
press() {
  local button=$1 x=$2 y=$3 action=${4:+mousedown} last
  last=$(cat "$E2E_RUN_DIR/.last-press" 2>/dev/null)
  if [ -n "$last" ]; then
    set -- $last
    local dx=$((x - $2)) dy=$((y - $3))
    if [ "$1" = "$button" ] && [ "${dx#-}" -lt "$DOUBLE_CLICK_W" ] && [ "${dy#-}" -lt "$DOUBLE_CLICK_H" ]; then
      wait_until $((DOUBLE_CLICK_MS / 1000 + 2)) double_click_time_past "$4" ||
        fail "the clock did not move past the double-click time"
    fi
  fi
  xdotool mousemove "$x" "$y" "${action:-click}" "$button"
  echo "$button $x $y $(date +%s%3N)" >"$E2E_RUN_DIR/.last-press"
}
double_click_time_past() { [ $(($(date +%s%3N) - $1)) -gt "$DOUBLE_CLICK_MS" ]; }

# ---------------------------------------------------------------- the program's process

# q_start [ARGS...]: starts quorvane.exe in $T (or the copy in $Q_DIR when set); its pid
# goes to $T/.pid and, when it ends, its exit code (as plain wine returns it) to $T/.exit-code.
q_start() {
  rm -f "$T/.pid" "$T/.exit-code"
  (
    cd "${Q_DIR:-$T}" || exit 1
    "$WINE" quorvane.exe "$@" &
    echo $! >"$T/.pid"
    wait $!
    echo $? >"$T/.exit-code"
  ) >>"$T/.wine.log" 2>&1 &
  wait_until 10 test -s "$T/.pid" || fail "quorvane.exe could not be started"
}

q_running() { [ -s "$T/.pid" ] && [ ! -s "$T/.exit-code" ] && kill -0 "$(cat "$T/.pid")" 2>/dev/null; }
q_ended() { [ -s "$T/.exit-code" ]; }

# The program is up, and no window of it shows (the tray icon belongs to explorer), not
# even the panel at its start size 0 x 0, which Wine would map as 1 x 1.
q_running_hidden() {
  q_running || return 1
  local w
  for w in $(q_windows); do
    win_geometry "$w" || continue
    SHOWN_WINDOW="$WW x $WH at $WX,$WY: $(xdotool getwindowname "$w" 2>/dev/null)"
    return 1
  done
}

# q_expect_exit CODE: waits for the program to end and checks its exit code.
q_expect_exit() {
  wait_until 15 q_ended || fail "quorvane did not end within 15 s"
  local code
  code=$(cat "$T/.exit-code")
  [ "$code" = "$1" ] || fail "exit code $code, expected $1"
}

# ---------------------------------------------------------------- windows and screen

# Ids of the program's mapped X windows.
q_windows() { xdotool search --onlyvisible --class '^quorvane\.exe$' 2>/dev/null; }

# win_geometry ID: sets WX WY WW WH.
win_geometry() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 1
  WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
  [ -n "$WX" ]
}

# q_visible_named TITLE: a mapped window of the program with exactly this title.
q_visible_named() {
  local w ours
  ours=$(q_windows)
  for w in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    if grep -qx "$w" <<<"$ours"; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# shot NAME: a screenshot of the whole screen into $T/NAME.ppm; SHOT names the file.
shot() {
  SHOT=$T/$1.ppm
  import -window root -depth 8 "ppm:$SHOT" 2>/dev/null || fail "screenshot failed"
}

# pix FILE QUERY...: reads a screenshot; one line of answer per query, each query one
# word list (Python starts slowly here, so one call answers many). Boxes are X0 Y0 X1 Y1,
# ends exclusive.
#   "get X Y"                     colour as rrggbb
#   "count_not X0 Y0 X1 Y1 RGB"   pixels in the box whose colour is not RGB
#   "uniform X0 Y0 X1 Y1"         the box's one colour, or "mixed"
#   "steps_until X Y DX DY RX RY" steps from (X,Y) along (DX,DY) until the colour is that
#                                 of the point (RX,RY)
#   "rows FL FT ITEMHEIGHT N INSET SIZE"
#                                 for panel rows 0..N-1: I when the row's icon box (SIZE
#                                 square, INSET right of and below the row's corner) holds
#                                 a picture, _ when it is one plain colour
pix() {
  python3 -I -S - "$@" <<'EOF'
import sys
path, queries = sys.argv[1], sys.argv[2:]
data = open(path, 'rb').read()
fields, i = [], 0
while len(fields) < 4:
    while data[i:i + 1].isspace():
        i += 1
    j = i
    while not data[j:j + 1].isspace():
        j += 1
    fields.append(data[i:j])
    i = j
width, height, pixels = int(fields[1]), int(fields[2]), data[i + 1:]

def at(x, y):
    if not (0 <= x < width and 0 <= y < height):
        return 'outside'
    o = (y * width + x) * 3
    return pixels[o:o + 3].hex()

def box(x0, y0, x1, y1):
    return [at(x, y) for y in range(y0, y1) for x in range(x0, x1)]

def answer(cmd, args):
    if cmd == 'get':
        return at(int(args[0]), int(args[1]))
    if cmd == 'count_not':
        x0, y0, x1, y1 = map(int, args[:4])
        return sum(1 for c in box(x0, y0, x1, y1) if c != args[4].lower())
    if cmd == 'uniform':
        colours = set(box(*map(int, args[:4])))
        return colours.pop() if len(colours) == 1 else 'mixed'
    if cmd == 'steps_until':
        x, y, dx, dy, rx, ry = map(int, args[:6])
        n, colour = 0, at(rx, ry)
        while at(x, y) != colour and n < 64:
            x, y, n = x + dx, y + dy, n + 1
        return n
    if cmd == 'rows':
        fl, ft, item_height, count, inset, size = map(int, args[:6])
        out = ''
        for r in range(count):
            x0, y0 = fl + inset, ft + r * item_height + inset
            out += 'I' if len(set(box(x0, y0, x0 + size, y0 + size))) > 1 else '_'
        return out
    sys.exit('pix: unknown query ' + cmd)

for q in queries:
    words = q.split()
    print(answer(words[0], words[1:]))
EOF
}

# ---------------------------------------------------------------- the tray

# The tray is the "Wine System Tray" window of this prefix's explorer; it is mapped only
# while some program has an icon in it.
tray_window() { xdotool search --name '^Wine System Tray$' 2>/dev/null | head -n 1 | grep .; }
tray_mapped() {
  local w
  w=$(tray_window) || return 1
  xwininfo -id "$w" 2>/dev/null | grep -q 'IsViewable'
}
tray_unmapped() { ! tray_mapped; }

# tray_geometry: sets TX TY TW TH.
tray_geometry() {
  local w
  w=$(tray_window) || return 1
  win_geometry "$w" || return 1
  TX=$WX TY=$WY TW=$WW TH=$WH
}

# The first icon slot: 20 x 20 pixels whose top left is 3 pixels right of the window's
# left edge and 23 above its bottom edge (the frame Wine draws itself, measured here);
# the 16 x 16 image sits 2 pixels inside the slot.
tray_icon_xy() {
  tray_geometry || return 1
  ICON_X=$((TX + 13)) ICON_Y=$((TY + TH - 13))
}

# tray_shows_icon: the first slot of the mapped tray holds a picture, not just white.
tray_shows_icon() {
  tray_mapped && tray_geometry || return 1
  shot tray
  local n
  n=$(pix "$SHOT" "count_not $((TX + 5)) $((TY + TH - 21)) $((TX + 21)) $((TY + TH - 5)) ffffff")
  [ "$n" -ge 30 ]
}

# tray_move_away: drags the tray window by its caption (Wine draws the frame, so the drag
# goes through Wine and it knows the new place; an X move alone would leave clicks landing
# at the old place) and checks that it moved.
tray_move_away() {
  wait_until 15 tray_mapped || fail "the tray window did not appear"
  local attempt gx gy
  for attempt in 1 2 3; do
    tray_geometry || continue
    [ "$TX" = "$TRAY_TO_X" ] && [ "$TY" = "$TRAY_TO_Y" ] && return 0
    gx=$((TX + 60)) gy=$((TY + 8))
    press 1 "$gx" "$gy" down
    # While the button is held the window follows the pointer: each step waits for it.
    xdotool mousemove $(((gx + TRAY_TO_X + 60) / 2)) $(((gy + TRAY_TO_Y + 8) / 2))
    wait_until 2 tray_moved_from "$TX" "$TY"
    xdotool mousemove $((TRAY_TO_X + 60)) $((TRAY_TO_Y + 8))
    wait_until 2 tray_at_target
    xdotool mouseup 1
    xdotool mousemove "$PARK_X" "$PARK_Y"
    wait_until 2 tray_at_target && return 0
  done
  fail "could not move the tray window out of the way (it stays at $TX,$TY)"
}
tray_at_target() { tray_geometry && [ "$TX" = "$TRAY_TO_X" ] && [ "$TY" = "$TRAY_TO_Y" ]; }
tray_moved_from() { local x=$1 y=$2; tray_geometry && [ "$TX,$TY" != "$x,$y" ]; }

# menu_geometry: the open tray menu (a mapped window of the program, wider than the
# panel and lower than a dialog); sets MX MY MW MH.
menu_geometry() {
  local w
  for w in $(q_windows); do
    win_geometry "$w" || continue
    if [ "$WW" -ge 80 ] && [ "$WH" -ge 30 ] && [ "$WH" -le 150 ] && ! xdotool getwindowname "$w" | grep -q .; then
      MENU=$w MX=$WX MY=$WY MW=$WW MH=$WH
      return 0
    fi
  done
  return 1
}
menu_closed() { ! menu_geometry; }

# caption_is WINDOW RGB: the window (one whose frame Wine draws) is drawn active or
# inactive: the start of its caption has that colour.
caption_is() {
  win_geometry "$1" || return 1
  shot caption
  [ "$(pix "$SHOT" "get $((WX + 5)) $((WY + 10))")" = "$2" ]
}

# tray_caption_is RGB: the same for the tray window, left of where the menu opens.
tray_caption_is() {
  local w
  w=$(tray_window) && caption_is "$w" "$1"
}

# tray_press BUTTON: a click of the button (1 left, 3 right) on the tray icon; waits for the
# menu, and for the menu's program to hold the keyboard. PRESS_X, PRESS_Y: where the button
# went down.
# The tray is a window of another process (Wine's explorer), which activates it on a click
# when it is not yet active, and may get to that only after our program has taken the
# foreground for its menu; explorer then holds the keyboard, and an Escape never reaches
# the menu. So the tray is made active first, and the press has nothing left to activate;
# once it shows itself inactive again, the foreground is the menu's. (X focus alone does
# not activate a Wine window; a click on its caption does, as for a user.)
tray_press() {
  tray_icon_xy || fail "no tray window to press on"
  if ! tray_caption_is "$CAPTION_ACTIVE"; then
    press 1 $((TX + 60)) $((TY + 8))
    wait_until 5 tray_caption_is "$CAPTION_ACTIVE" || fail "a click on the tray's caption did not activate it"
  fi
  PRESS_X=$ICON_X PRESS_Y=$ICON_Y
  press "$1" "$PRESS_X" "$PRESS_Y"
  wait_until 5 menu_geometry || fail "button $1 on the tray icon opened no menu"
  wait_until 5 tray_caption_is "$CAPTION_INACTIVE" || fail "the tray stayed active with the menu open"
}

# menu_escape: Escape to the open tray menu. X sends keys to the process that has the
# input focus, which after the click is explorer's tray: the focus goes to the menu first.
menu_escape() {
  xdotool windowfocus --sync "$MENU" key Escape
}

# menu_choose settings|about|exit: clicks the item. The rows were measured once on a
# menu 63 pixels high (Settings 12, About 27, Exit 51 below its top) and follow its height.
menu_choose() {
  local dy
  case $1 in
  settings) dy=12 ;;
  about) dy=27 ;;
  exit) dy=51 ;;
  *) fail "menu_choose: no item $1" ;;
  esac
  press 1 $((MX + 40)) $((MY + dy * MH / 63))
  wait_until 5 menu_closed || fail "the tray menu stayed open after choosing $1"
  xdotool mousemove "$PARK_X" "$PARK_Y"
}

# q_exit_via_tray: Exit from the tray menu; the program must end with 0 and its icon go.
q_exit_via_tray() {
  xdotool mousemove "$PARK_X" "$PARK_Y"
  wait_until 5 panel_hidden || fail "the panel does not hide before Exit"
  tray_press 3
  menu_choose exit
  q_expect_exit 0
  wait_until 5 tray_unmapped || fail "the tray icon stayed after the program ended"
}

# q_start_running [ARGS...]: starts with the folder's list, waits for the tray icon and
# drags the tray away from the edge.
q_start_running() {
  q_start "$@"
  wait_until 15 tray_mapped || fail "no tray icon appeared after start"
  tray_move_away
  q_running || fail "quorvane ended on its own after start (exit code $(cat "$T/.exit-code" 2>/dev/null))"
}

# shell_restart_exe: builds the stand-in for the shell and the session once per run;
# SHELL_RESTART names it.
shell_restart_exe() {
  SHELL_RESTART=$E2E_RUN_DIR/shell_restart.exe
  [ -x "$SHELL_RESTART" ] || "$E2E_CC" -O2 -o "$SHELL_RESTART" "$E2E_DIR/shell_restart.c" ||
    fail "could not build the shell-restart stand-in"
}

# shell_restart STEP: runs one step of the stand-in (see shell_restart.c) in the session.
shell_restart() {
  shell_restart_exe
  "$WINE" "$SHELL_RESTART" "$1" </dev/null >/dev/null 2>&1
}

# ---------------------------------------------------------------- the panel

# panel_geometry: the shown panel (a mapped window of the program at 0,0, taller than any
# menu or dialog); sets PX PY PW PH.
panel_geometry() {
  local w
  for w in $(q_windows); do
    win_geometry "$w" || continue
    if [ "$WX" = 0 ] && [ "$WY" = 0 ] && [ "$WH" -ge 300 ]; then
      PANEL=$w PX=$WX PY=$WY PW=$WW PH=$WH
      return 0
    fi
  done
  return 1
}
panel_hidden() { ! panel_geometry; }

# show_panel [Y]: pushes the cursor to column 0 and waits for the panel.
show_panel() {
  xdotool mousemove 0 "${1:-300}"
  wait_until 5 panel_geometry || fail "the panel did not show with the cursor at column 0"
}

# panel_measure: from a screenshot of the freshly shown panel, before anything was drawn
# over its background: the frame widths (FL left, FT top) and the client height CH
# (the frame is as wide at the bottom as at the top). Row 0's band below its icon
# (client y 18 and further) and the client columns right of the icons hold background.
panel_measure() {
  shot panel-measure
  local bx=$((PW - 5)) by=24
  read -r PANEL_BG FL FT < <(pix "$SHOT" "get $bx $by" "steps_until 0 $by 1 0 $bx $by" \
    "steps_until $bx 0 0 1 $bx $by" | tr '\n' ' ')
  [ "$FL" -ge 1 ] && [ "$FL" -le 6 ] && [ "$FT" -ge 1 ] && [ "$FT" -le 6 ] ||
    fail "could not measure the panel's frame (left $FL, top $FT)"
  CH=$((PH - 2 * FT))
}

# Where a small icon stands in its row and how large it is, in screen pixels: 2 and 16 at
# 100 % display scale.
ICON_INSET=2
ICON_SIZE=16

# row_box ROW ITEMHEIGHT: the screen box of a row's small icon: BX0 BY0 BX1 BY1.
row_box() {
  BX0=$((FL + ICON_INSET)) BY0=$((FT + $1 * $2 + ICON_INSET))
  BX1=$((BX0 + ICON_SIZE)) BY1=$((BY0 + ICON_SIZE))
}


# ---------------------------------------------------------------- platform figures

# The panel's expected height: SM_CYFULLSCREEN + SM_CYCAPTION as this Wine reports them,
# read by a small probe program built once per run (E2E_METRICS holds its output:
# full-screen client height, caption height, screen width, screen height, the double-click
# time and rectangle, the active and inactive caption colours, and the width of a dialog
# frame such as the panel's).
e2e_read_metrics() {
  local src=$E2E_RUN_DIR/metrics.c exe=$E2E_RUN_DIR/metrics.exe
  cat >"$src" <<'EOF'
#include <windows.h>
#include <stdio.h>
int main(void)
{
    COLORREF active = GetSysColor(COLOR_ACTIVECAPTION), inactive = GetSysColor(COLOR_INACTIVECAPTION);
    printf("%d %d %d %d %u %d %d %02x%02x%02x %02x%02x%02x %d\n", GetSystemMetrics(SM_CYFULLSCREEN),
           GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
           GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK),
           GetRValue(active), GetGValue(active), GetBValue(active),
           GetRValue(inactive), GetGValue(inactive), GetBValue(inactive), GetSystemMetrics(SM_CXDLGFRAME));
    return 0;
}
EOF
  "$E2E_CC" -O2 -o "$exe" "$src" 2>/dev/null || return 1
  # Into a file, not a pipe: the Wine services this first run starts keep its output open.
  "$WINE" "$exe" >"$E2E_RUN_DIR/metrics.txt" 2>/dev/null </dev/null || return 1
  E2E_METRICS=$(tr -d '\r' <"$E2E_RUN_DIR/metrics.txt")
  set -- $E2E_METRICS
  [ $# = 10 ] || return 1
  EXPECT_PANEL_H=$(($1 + $2)) SCREEN_W=$3 SCREEN_H=$4
  DOUBLE_CLICK_MS=$5 DOUBLE_CLICK_W=$6 DOUBLE_CLICK_H=$7
  CAPTION_ACTIVE=$8 CAPTION_INACTIVE=$9 DIALOG_FRAME=${10}
}

# display_dpi DPI: the display scale of the programs started from now on (96 is 100 %, 144
# is 150 %). Wine reads it when a program starts; running programs keep theirs.
display_dpi() {
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
}

# rows_look PATTERN ITEMHEIGHT: a fresh screenshot shows the panel's first rows like PATTERN
# (I icon, _ plain, ? any); ROWS_SEEN holds what it shows. SHOT stays that screenshot, so that
# pixel checks after a wait for the rows read the panel as it was seen, not an earlier one.
rows_look() {
  shot panel
  ROWS_SEEN=$(pix "$SHOT" "rows $FL $FT $2 ${#1} $ICON_INSET $ICON_SIZE")
  [[ $ROWS_SEEN == $1 ]]
}

# ---------------------------------------------------------------- WOW64

# The 32-bit program on 64-bit Windows: a prefix of 64-bit Wine (WINEARCH=win64) of its own,
# made once under build/ and reused, with its own wineserver. The main prefix is not touched.
WOW64_PREFIX=$QUORVANE_ROOT/build/wineprefix-wow64

# wow64_enter: moves the current test (its subshell) to that prefix, makes the prefix when it
# is missing, and ends the prefix's wineserver when the test ends. 1, with the reason in
# WOW64_SKIP, where the 32-bit program cannot run under 64-bit Wine on this machine.
wow64_enter() {
  if [ "$QUORVANE_ARCH" != win32 ]; then
    WOW64_SKIP="32-bit Wine does not run here (or QUORVANE_ARCH=win64 asked for the 64-bit build)"
    return 1
  fi
  if ! /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
    WOW64_SKIP="64-bit Wine (/usr/lib/wine/wine64) does not run here"
    return 1
  fi
  export WINEPREFIX=$WOW64_PREFIX WINEARCH=win64 WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  trap '"$WINESERVER" -k >/dev/null 2>&1' EXIT
  quorvane_wine_prefix
}

# system_probe BITS: the path of system_probe.c built for 64 or 32 bits with the program's icon,
# once per run. A GUI program, as most that are listed are: a console program started from the
# panel gets a console window of its own, which Wine maps at the screen's top-left corner for a
# moment, over the panel, where the next click would land.
system_probe() {
  local exe=$E2E_RUN_DIR/system_probe$1.exe cc=x86_64-w64-mingw32
  [ "$1" = 32 ] && cc=i686-w64-mingw32
  if [ ! -f "$exe" ]; then
    echo "1 ICON \"$QUORVANE_ROOT/res/quorvane.ico\"" >"$E2E_RUN_DIR/system_probe$1.rc"
    "$cc-windres" "$E2E_RUN_DIR/system_probe$1.rc" -O coff -o "$E2E_RUN_DIR/system_probe$1.o" &&
      "$cc-gcc" -O2 -mwindows -o "$exe" "$E2E_DIR/system_probe.c" "$E2E_RUN_DIR/system_probe$1.o" || return 1
  fi
  echo "$exe"
}

# probe_report NAME: the width in bits and the folder the probe NAME reported into $T, as
# "BITS FOLDER", once it has.
probe_report() {
  wait_until 15 test -s "$T/$1.txt" || return 1
  tr -d '\r' <"$T/$1.txt" | paste -sd ' '
}
