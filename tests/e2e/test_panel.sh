# The panel at the left edge: showing and hiding with the cursor, its size, the icons of a
# page, paging with the right button, and opening an entry with a left click, also one at
# the screen's edge column.

# paged_layout: picks the row height IH and the rows per page R for a list of several
# pages. The client height is the panel's height less its frame (1 to 4 pixels at top and
# at bottom here); IH is chosen so that R is the same for every such frame, the client
# height is not a multiple of IH, and the strip below the last whole row lies on screen.
paged_layout() {
  local ih cmin cmax
  cmin=$((EXPECT_PANEL_H - 8)) cmax=$((EXPECT_PANEL_H - 2))
  for ih in 50 45 40 55 60 36 70 80 100; do
    R=$((cmin / ih))
    [ $((cmax / ih)) = "$R" ] && [ $((R * ih)) -lt "$cmin" ] && [ "$R" -ge 6 ] &&
      [ $((4 + R * ih + 4)) -lt "$SCREEN_H" ] || continue
    IH=$ih
    return 0
  done
  fail "no row height leaves a strip below the last row on this screen"
}

# make_probe DIR: a batch file that writes the folder it was started in into DIR/cwd.txt.
make_probe() {
  mkdir -p "$1"
  write_crlf "$1/probe.bat" 'cd > "%~dp0cwd.txt"'
}

# write_paged_list: page 0 a program in every row; page 1 an entry that names nothing (no
# icon) in row 0, programs in rows 1 and 2, the probe of "probe dir" in row 3 and the probe of
# "last row" in its last row; page 2 only the probe of "next page".
write_paged_list() {
  paged_layout
  local entries=() i
  entries+=('C:\windows\notepad.exe')
  for ((i = 1; i < R; i++)); do entries+=('C:\windows\regedit.exe'); done
  entries+=('C:\quorvane-no-such-folder\missing.exe' 'C:\windows\notepad.exe' 'C:\windows\regedit.exe' "$(winpath "$T/probe dir")\\probe.bat")
  for ((i = 4; i < R - 1; i++)); do entries+=('C:\windows\regedit.exe'); done
  entries+=("$(winpath "$T/last row")\\probe.bat" "$(winpath "$T/next page")\\probe.bat")
  write_crlf quorvane.cfg "${entries[@]}"
  write_crlf quorvane.ini '[quorvane]' 'Timer=100' "ItemHeight=$IH"
  make_probe "$T/probe dir"
  make_probe "$T/last row"
  make_probe "$T/next page"
}

no_probe_ran() { [ -z "$(find "$T" -name cwd.txt)" ]; }

# show_paged_panel: starts with the paged list, shows the panel and checks that it holds
# the rows the layout was made for.
show_paged_panel() {
  write_paged_list
  q_start_running
  show_panel
  panel_measure
  [ $((CH / IH)) = "$R" ] ||
    fail "the panel's client height $CH holds $((CH / IH)) rows of $IH, the list was made for $R"
  wait_until 3 rows_look 'II' "$IH" || fail "page 0 does not show its first icons (rows seen: $ROWS_SEEN)"
}

# right_click_panel: the right button inside the panel, on row 5 and row 4 by turns: a
# second press at the same point would be a double click, which turns no page.
right_click_panel() {
  RIGHT_ROW=$((${RIGHT_ROW:-4} == 5 ? 4 : 5))
  press 3 $((FL + 11)) $((FT + RIGHT_ROW * IH + IH / 2))
}

# to_page_1: one right click; page 1 has an entry without an icon in row 0 and a program in row 1.
to_page_1() {
  right_click_panel
  wait_until 3 rows_look '_I' "$IH" || fail "a right click did not bring page 1 (rows seen: $ROWS_SEEN)"
}

# click_row ROW: press and release of the left button on a row of the panel.
click_row() {
  press 1 $((FL + 11)) $((FT + $1 * IH + IH / 2))
}

# expect_probe_ran DIR: the probe in DIR ran, and in DIR. cmd writes the folder in the
# console's code page, 932 under the Japanese locale the tests run in.
expect_probe_ran() {
  wait_until 15 test -s "$1/cwd.txt" || fail "the entry in '${1##*/}' was not opened"
  local cwd
  cwd=$(tr -d '\r\n' <"$1/cwd.txt" | iconv -f CP932 -t UTF-8)
  [ "$cwd" = "$(winpath "$1")" ] || fail "the entry ran in '$cwd', expected its own folder '$(winpath "$1")'"
}

test_edge_shows_panel_top_left_at_full_height_with_icons_of_first_page() {
  q_start_running
  show_panel
  [ "$PX,$PY" = "0,0" ] || fail "the panel shows at $PX,$PY, expected 0,0"
  [ "$PW" = 26 ] || fail "the panel is $PW pixels wide, expected the default 26"
  [ "$PH" = "$EXPECT_PANEL_H" ] ||
    fail "the panel is $PH pixels high, expected $EXPECT_PANEL_H (full-screen client height plus a caption)"
  panel_measure
  # notepad, regedit, the folder C:\windows (the shell's folder icon), winecfg; row 4 has no entry.
  wait_until 3 rows_look 'IIII_' 20 || fail "rows 0 to 4 should read IIII_ (icon or plain), seen $ROWS_SEEN"
  row_box 4 20
  local empty_row bottom right
  read -r empty_row bottom right < <(pix "$SHOT" "uniform $BX0 $BY0 $BX1 $BY1" "get 0 $((SCREEN_H - 1))" \
    "get 26 300" | tr '\n' ' ')
  [ "$empty_row" = "$PANEL_BG" ] || fail "the row without an entry is not the panel's background colour"
  [ "$bottom" != 000000 ] || fail "the panel does not reach the bottom of the screen"
  [ "$right" = 000000 ] || fail "something is drawn right of the panel's 26 columns"
  q_exit_via_tray
}

test_ini_window_width_sets_panel_width() {
  write_crlf quorvane.ini '[quorvane]' 'Timer=100' 'WindowWidth=40'
  q_start_running
  show_panel
  [ "$PW" = 40 ] || fail "with WindowWidth=40 the panel is $PW pixels wide"
  shot wide
  local last past
  read -r last past < <(pix "$SHOT" "get 39 300" "get 40 300" | tr '\n' ' ')
  [ "$last" != 000000 ] && [ "$past" = 000000 ] || fail "the panel's drawn width is not 40 columns"
  q_exit_via_tray
}

test_cursor_right_of_panel_hides_it_while_its_right_edge_keeps_it() {
  q_start_running
  show_panel 700
  # x equal to the panel's right edge (the first column past it) and its last column keep it.
  xdotool mousemove "$PW" 300
  stays_true 0.8 panel_geometry || fail "the panel hid with the cursor at x $PW, its right edge"
  xdotool mousemove $((PW - 1)) 300
  stays_true 0.5 panel_geometry || fail "the panel hid with the cursor on its last column"
  xdotool mousemove $((PW + 1)) 300
  wait_until 2 panel_hidden || fail "the panel stayed with the cursor one column right of its edge"
  stays_true 0.5 panel_hidden || fail "the panel came back with the cursor away from the edge"
  show_panel 5
  q_exit_via_tray
}

# Alt+F4 on the shown, active panel closes nothing, as Escape does; WM_CLOSE sent from
# outside (taskkill without /F) still ends the program as Exit does. (Without a window
# manager, X focus on the panel is how a window of Wine gets the keys.)
test_right_clicks_page_through_the_list_and_back_to_the_first_page() {
  show_paged_panel
  to_page_1
  xdotool windowfocus --sync "$PANEL" key alt+F4
  stays_true 1 q_running || fail "Alt+F4 on the panel ended the program"
  tray_shows_icon || fail "the tray icon went with Alt+F4"
  # Page 2 holds one entry, a batch file; its other rows stay plain.
  right_click_panel
  wait_until 3 rows_look '?__' "$IH" || fail "a second right click did not bring page 2 (rows seen: $ROWS_SEEN)"
  # Past the last page the panel goes back to page 0.
  right_click_panel
  wait_until 3 rows_look 'III' "$IH" || fail "a third right click did not bring page 0 back (rows seen: $ROWS_SEEN)"
  no_probe_ran || fail "a right click opened an entry"
  shell_restart close || fail "could not post WM_CLOSE to the panel"
  q_expect_exit 0
  wait_until 5 tray_unmapped || fail "the tray icon stayed after WM_CLOSE"
}

test_click_on_row_3_of_page_1_opens_its_entry_in_its_own_folder_and_hides_panel() {
  show_paged_panel
  to_page_1
  click_row 3
  expect_probe_ran "$T/probe dir"
  wait_until 3 panel_hidden || fail "the panel stayed shown after the click"
  [ ! -e "$T/last row/cwd.txt" ] && [ ! -e "$T/next page/cwd.txt" ] || fail "a click on row 3 opened another entry as well"
  q_exit_via_tray
}

test_click_in_strip_below_last_row_opens_nothing_and_page_is_kept() {
  show_paged_panel
  to_page_1
  local top=$((FT + R * IH)) bottom=$((FT + CH))
  [ "$bottom" -le "$SCREEN_H" ] || bottom=$SCREEN_H
  press 1 $((FL + 11)) $(((top + bottom) / 2))
  wait_until 3 panel_hidden || fail "the panel stayed shown after a click in the strip"
  stays_true 2 no_probe_ran || fail "a click in the strip below the last row opened an entry"
  # Shown again, the panel keeps page 1, and its row 3 does open: the probes work here.
  show_panel
  wait_until 3 rows_look '_I' "$IH" || fail "the panel came back on another page (rows seen: $ROWS_SEEN)"
  click_row 3
  expect_probe_ran "$T/probe dir"
  q_exit_via_tray
}

test_utf8_list_opens_entry_in_japanese_folder_in_its_own_folder() {
  # Saved as today's Notepad saves by default: UTF-8 without a mark.
  local folder=$T/表の道具
  make_probe "$folder"
  write_crlf quorvane.cfg 'C:\windows\notepad.exe' "$(winpath "$folder")\\probe.bat"
  q_start_running
  show_panel
  panel_measure
  IH=20
  wait_until 3 rows_look 'I' "$IH" || fail "the ASCII entry in row 0 shows no icon"
  click_row 1
  expect_probe_ran "$folder"
  q_exit_via_tray
}

# An entry whose folder no code page holds all of, in a UTF-8 list: its program shows its own
# icon and starts in that folder.
test_utf8_list_entry_in_a_folder_named_outside_the_code_page_shows_its_icon_and_opens_there() {
  local folder=$T/Café-é bits=64 probe
  [ "$QUORVANE_ARCH" = win32 ] && bits=32
  probe=$(system_probe "$bits") || fail "could not build the probe"
  mkdir -p "$folder" && cp "$probe" "$folder/quorvane_cafe.exe" || fail "could not place the probe"
  write_crlf quorvane.cfg "$(winpath "$folder")\\quorvane_cafe.exe"
  export QUORVANE_PROBE_DIR
  QUORVANE_PROBE_DIR=$(winpath "$T")
  q_start_running
  show_panel
  panel_measure
  IH=20
  wait_until 3 rows_look 'I' "$IH" || fail "the entry in Café-é shows no icon (rows seen: $ROWS_SEEN)"
  click_row 0
  local report
  report=$(probe_report quorvane_cafe.exe) || fail "the entry in Café-é did not start"
  [ "$report" = "$bits $(winpath "$folder")" ] || fail "the probe reported '$report', expected '$bits $(winpath "$folder")'"
  q_exit_via_tray
}

# At 150 % display scale (144 DPI) the panel keeps its 100 % layout in real pixels: the
# default width of 26 and rows of 20 become 39 and 30, small icons are the system's 24 x 24
# and stand 3 pixels into their rows; a click in row 2 opens entry 2 (at rows of 20 that
# point would lie in row 3).
test_panel_at_150_percent_scale_is_39_wide_with_rows_of_30_and_icons_of_24_three_pixels_in() {
  display_dpi 144
  trap 'display_dpi 96' EXIT
  make_probe "$T/row 2"
  write_crlf quorvane.cfg 'C:\windows\notepad.exe' 'C:\windows\regedit.exe' "$(winpath "$T/row 2")\\probe.bat" \
    'C:\windows\notepad.exe'
  q_start_running
  show_panel
  [ "$PW" = 39 ] || fail "at 144 DPI the panel is $PW pixels wide, expected 39"
  panel_measure
  # The frame's inner pixel has the background's colour: the system says where the client begins.
  FL=$DIALOG_FRAME FT=$DIALOG_FRAME IH=30 ICON_INSET=3 ICON_SIZE=24
  wait_until 3 rows_look 'II?I_' "$IH" || fail "rows of 30 with 24-pixel icons should read II?I_, seen $ROWS_SEEN"
  local x0=$((FL + 3)) y0=$((FT + 3)) right=$((FL + PW - 2 * FL)) inside beyond margins
  read -r inside beyond margins < <(pix "$SHOT" "count_not $((x0 + 16)) $y0 $((x0 + 24)) $((y0 + 24)) $PANEL_BG" \
    "count_not $((x0 + 24)) $FT $right $((FT + 4 * IH)) $PANEL_BG" \
    "count_not $FL $FT $x0 $((FT + 4 * IH)) $PANEL_BG" | tr '\n' ' ')
  [ "$inside" -gt 0 ] || fail "row 0's icon does not reach past 16 pixels: it is not 24 x 24"
  [ "$beyond" = 0 ] && [ "$margins" = 0 ] ||
    fail "icon pixels outside client x 3 to 26 of their rows ($margins left of it, $beyond right of it)"
  click_row 2
  expect_probe_ran "$T/row 2"
  q_exit_via_tray
}

# The panel's frame covers the screen's first columns, where the cursor rests after it was
# pushed against the edge: a click at column 0 opens the row beside it.
test_click_at_column_0_opens_the_row_beside_it() {
  make_probe "$T/edge row"
  write_crlf quorvane.cfg 'C:\windows\notepad.exe' "$(winpath "$T/edge row")\\probe.bat"
  q_start_running
  show_panel
  panel_measure
  press 1 0 $((FT + 20 + 10))
  expect_probe_ran "$T/edge row"
  q_exit_via_tray
}

pushed_to_edge_shows_panel() {
  xdotool mousemove 0 300
  panel_geometry
}

test_under_wow64_a_system32_program_shows_its_icon_and_starts_as_the_64_bit_program() {
  wow64_enter || { echo "  skipped: $WOW64_SKIP"; return 0; }
  local win=$WINEPREFIX/drive_c/windows probe64 probe32 report
  probe64=$(system_probe 64) && probe32=$(system_probe 32) || fail "could not build the system probes"
  # Row 0: a program only the 64-bit system folder holds. Row 1: one held by both folders,
  # whose 32-bit copy would start without Sysnative.
  rm -f "$win/syswow64/quorvane_only64.exe"
  cp "$probe64" "$win/system32/quorvane_only64.exe" && cp "$probe64" "$win/system32/quorvane_both.exe" &&
    cp "$probe32" "$win/syswow64/quorvane_both.exe" || fail "could not place the probes in the prefix"
  write_crlf quorvane.cfg 'C:\windows\system32\quorvane_only64.exe' 'C:\Windows\System32\quorvane_both.exe'
  export QUORVANE_PROBE_DIR
  QUORVANE_PROBE_DIR=$(winpath "$T")
  q_start
  # The program's first start in the prefix brings up the prefix's desktop, which puts the
  # cursor in the middle of the screen: it is pushed to the edge again until the panel shows.
  wait_until 30 pushed_to_edge_shows_panel || fail "the panel did not show with the cursor at column 0"
  panel_measure
  IH=20
  wait_until 3 rows_look 'II' "$IH" || fail "the System32 entries show no icons (rows seen: $ROWS_SEEN)"
  local row name
  for row in 0 1; do
    name=quorvane_only64.exe
    [ "$row" = 1 ] && name=quorvane_both.exe
    show_panel
    click_row "$row"
    report=$(probe_report "$name") || fail "the entry in row $row ($name) did not start"
    [ "${report,,}" = "64 c:\\windows\\system32" ] ||
      fail "$name reported '$report', expected the 64-bit program started in C:\\windows\\system32"
  done
  "$WINESERVER" -k
  wait_until 10 q_ended || fail "quorvane did not end with its prefix's wineserver"
}

# drag_to_edge FILE: drags FILE from another program (drag_source.c, which drags as Explorer
# does) to the screen's edge, until the panel shows there during the drag.
drag_to_edge() {
  local source=$E2E_RUN_DIR/drag_source.exe window
  [ -x "$source" ] || "$E2E_CC" -O2 -o "$source" "$E2E_DIR/drag_source.c" -lole32 -lshell32 -luuid ||
    fail "could not build the drag source"
  ("$WINE" "$source" "$1" "$(winpath "$T/drop.txt")" & echo $! >.drag-pid; wait) >>.wine.log 2>&1 &
  trap 'xdotool mouseup 1; kill "$(cat .drag-pid)" 2>/dev/null' EXIT
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^quorvane drag source$' | head -n 1)
  win_geometry "$window" || fail "the drag source showed no window"
  press 1 $((WX + 20)) $((WY + 20)) down
  # Step by step to the edge, as a hand moves; the panel shows there during the drag.
  xdotool mousemove $((WX - 40)) 300 mousemove 150 300 mousemove 50 300 mousemove 0 300
  wait_until 5 panel_geometry || fail "the panel did not show at the edge during the drag"
}

# drop_on_panel: releases the dragged file on the panel; the drag must end as a link drop.
drop_on_panel() {
  xdotool mousemove 8 300 mousemove 12 310 mouseup 1
  wait_until 10 test -s drop.txt || fail "the drag did not end with the release on the panel"
  # DRAGDROP_S_DROP, and the link effect the panel offers.
  [ "$(tr -d '\r\n' <drop.txt)" = "00040100 4" ] || fail "the drag ended with '$(cat drop.txt)', expected a link drop"
}

# A file dragged to the screen's edge: the panel shows during the drag, and the file dropped
# on it is added as its last row and as a line at the end of the list file, after the line
# end the file lacked.
test_file_dragged_to_the_edge_and_dropped_on_the_panel_is_added_at_the_end() {
  local name
  printf 'C:\\windows\\notepad.exe\r\nC:\\windows' >quorvane.cfg
  cp quorvane.cfg old.cfg
  cp "$WINEPREFIX/drive_c/windows/notepad.exe" added.exe
  name=$(winpath "$T/added.exe")
  q_start_running
  drag_to_edge "$name"
  panel_measure
  wait_until 3 rows_look 'II_' 20 || fail "before the drop the rows should read II_, seen $ROWS_SEEN"
  drop_on_panel
  printf '\r\n%s\r\n' "$name" >>old.cfg
  cmp -s old.cfg quorvane.cfg || fail "the list file reads '$(cat -A quorvane.cfg)', expected the old bytes, a line end and the name"
  wait_until 3 rows_look 'III' 20 || fail "the added entry shows no icon in row 2 (rows seen: $ROWS_SEEN)"
  q_exit_via_tray
}

# The list follows its file: rewritten in another encoding while the program runs (ANSI to
# UTF-16), it shows at the next reveal, and a drop after that appends in the new encoding.
test_list_rewritten_in_another_encoding_shows_at_the_next_reveal_and_takes_drops_in_it() {
  local name
  printf 'C:\\windows\\notepad.exe\r\n' >quorvane.cfg
  cp "$WINEPREFIX/drive_c/windows/notepad.exe" added.exe
  name=$(winpath "$T/added.exe")
  q_start_running
  show_panel
  panel_measure
  wait_until 3 rows_look 'I_' 20 || fail "at first the rows should read I_, seen $ROWS_SEEN"
  xdotool mousemove 500 300
  wait_until 3 panel_hidden || fail "the panel stayed shown with the cursor away"
  { printf '\xff\xfe' && printf 'C:\\windows\\notepad.exe\r\nC:\\windows\\regedit.exe\r\n' | iconv -t UTF-16LE; } >new.cfg
  cp new.cfg quorvane.cfg
  drag_to_edge "$name"
  wait_until 3 rows_look 'II_' 20 || fail "the rewritten list does not show at the next reveal (rows seen: $ROWS_SEEN)"
  drop_on_panel
  printf '%s\r\n' "$name" | iconv -t UTF-16LE >>new.cfg
  cmp -s new.cfg quorvane.cfg || fail "the list file reads '$(od -c quorvane.cfg | tail -4)', expected the name in UTF-16 at its end"
  wait_until 3 rows_look 'III' 20 || fail "the added entry shows no icon in row 2 (rows seen: $ROWS_SEEN)"
  q_exit_via_tray
}

# tip_read: the name tip as tests/e2e/tip_probe.c reads it: TIP_LEFT, TIP_TOP and TIP_TEXT
# (its lines joined by '|'); 1 when it does not show. No tip owned by the panel fails the test.
tip_read() {
  local exe=$E2E_RUN_DIR/tip_probe.exe rc
  [ -x "$exe" ] || "$E2E_CC" -O2 -o "$exe" "$E2E_DIR/tip_probe.c" || fail "could not build the tip probe"
  # Into a file: a Wine service that the probe happens to start would hold a pipe open.
  "$WINE" "$exe" </dev/null >"$T/.tip" 2>/dev/null
  rc=$?
  [ "$rc" -le 1 ] || fail "the tip probe found no tip owned by the panel"
  read -r TIP_LEFT TIP_TOP < <(tr -d '\r' <"$T/.tip")
  TIP_TEXT=$(tr -d '\r' <"$T/.tip" | sed 1d | paste -sd '|')
  return "$rc"
}
tip_reads() { tip_read && [ "$TIP_TEXT" = "$1" ]; }
tip_gone() { ! tip_read; }

# keep_moving X0 Y0 W H: moves the pointer in the background (MOVER holds its pid) round the
# edge of the box, 4 pixels every 50 ms: the system, which looks at the pointer once per
# hover time, never finds it resting. stop_moving ends it after its last move: a kill could
# leave an xdotool running that moves the pointer back after the test's own next move.
keep_moving() {
  local x0=$1 y0=$2 w=$3 h=$4
  rm -f "$T/stop-moving"
  (
    local d x y
    for ((d = 0; ; d = (d + 4) % (2 * (w + h)))); do
      [ -e "$T/stop-moving" ] && exit 0
      if ((d < w)); then x=$d y=0
      elif ((d < w + h)); then x=$w y=$((d - w))
      elif ((d < 2 * w + h)); then x=$((2 * w + h - d)) y=$h
      else x=0 y=$((2 * (w + h) - d)); fi
      xdotool mousemove $((x0 + x)) $((y0 + y))
      sleep 0.05
    done
  ) &
  MOVER=$!
}
stop_moving() {
  touch "$T/stop-moving"
  wait "$MOVER"
}

# Rest on row 2 at the screen's edge column, where every tick places and draws the panel
# again: its name shows beside it and stays. Moved to row 3 without ever resting, the tip
# follows at once. Past the panel it goes. Row 3, a Japanese folder, shows wide text.
test_resting_on_a_row_shows_its_name_beside_it_and_the_tip_follows_the_pointer() {
  local folder=$T/表の道具
  mkdir -p "$folder"
  write_crlf quorvane.cfg 'C:\windows\notepad.exe' 'C:\windows\regedit.exe' 'C:\windows' "$(winpath "$folder")"
  q_start_running
  show_panel
  panel_measure
  xdotool mousemove 0 $((FT + 2 * 20 + 10))
  wait_until 5 tip_reads 'windows|C:\windows' || fail "resting on row 2 showed no tip with its name (seen: $TIP_TEXT)"
  [ "$TIP_LEFT" -ge "$PW" ] && [ "$TIP_TOP" -ge $((FT + 40)) ] && [ "$TIP_TOP" -lt $((FT + 60)) ] ||
    fail "the tip stands at $TIP_LEFT,$TIP_TOP: not right of the panel ($PW wide) beside row 2 (y $((FT + 40)) to $((FT + 59)))"
  stays_true 1 tip_reads 'windows|C:\windows' || fail "the tip went while the pointer rested at the edge (seen: $TIP_TEXT)"
  keep_moving 0 $((FT + 3 * 20 + 2)) $((PW - 2)) 16
  trap 'touch "$T/stop-moving"' EXIT
  wait_until 3 tip_reads "表の道具|$(winpath "$folder")" || fail "moved to row 3, the tip did not follow (seen: $TIP_TEXT)"
  stop_moving
  xdotool mousemove $((PW + 1)) 300
  wait_until 3 tip_gone || fail "the tip stayed after the pointer left the panel"
  q_exit_via_tray
}

# A panel almost as wide as the screen leaves no room right of it: the tip stands beside the
# pointer, over the panel, on the screen.
test_on_a_panel_as_wide_as_the_screen_the_tip_stays_on_the_screen() {
  write_crlf quorvane.ini '[quorvane]' 'Timer=100' "WindowWidth=$((SCREEN_W - 20))"
  q_start_running
  show_panel
  panel_measure
  xdotool mousemove 0 $((FT + 2 * 20 + 10))
  wait_until 5 tip_reads 'windows|C:\windows' || fail "resting on row 2 showed no tip with its name (seen: $TIP_TEXT)"
  [ "$TIP_LEFT" -gt 0 ] && [ "$TIP_LEFT" -lt $((SCREEN_W / 2)) ] ||
    fail "the tip stands at x $TIP_LEFT: not beside the pointer at x 0 on a screen $SCREEN_W wide"
  xdotool mousemove $((SCREEN_W - 5)) 300
  wait_until 3 panel_hidden || fail "the panel stayed with the pointer past its right edge"
  q_exit_via_tray
}

# front_probe full|window: tests/e2e/front_probe.c, built once per run, started in $T and in
# front; FRONT_PID is its process, FRONT_WINDOW its window.
front_probe() {
  local exe=$E2E_RUN_DIR/front_probe.exe
  [ -x "$exe" ] || "$E2E_CC" -O2 -mwindows -o "$exe" "$E2E_DIR/front_probe.c" || fail "could not build the front probe"
  rm -f "$T/stop"
  (cd "$T" && exec "$WINE" "$exe" "$1" </dev/null >/dev/null 2>&1) &
  FRONT_PID=$!
  FRONT_WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name '^quorvane-front-probe$' | head -n 1)
  [ -n "$FRONT_WINDOW" ] || fail "the front probe's window did not appear"
}
front_probe_gone() { ! kill -0 "$FRONT_PID" 2>/dev/null; }
front_probe_stop() {
  touch "$T/stop"
  wait_until 10 front_probe_gone || fail "the front probe did not end"
}

# pointer_at X Y: the pointer is there.
pointer_at() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  POINTER="$X,$Y"
  [ "$POINTER" = "$1,$2" ]
}

# A program without a caption covering the screen in front: the edge leaves it alone, for
# ten ticks. Once it ends, the pointer resting at the edge brings the panel. The desktop's
# own captionless window in front (after Windows + D) is no such program.
test_panel_stays_away_from_a_full_screen_program_and_shows_once_it_ends() {
  q_start_running
  front_probe desktop
  xdotool mousemove 0 300
  wait_until 3 panel_geometry || fail "the panel did not show with the desktop's window in front"
  xdotool mousemove "$PARK_X" "$PARK_Y"
  wait_until 3 panel_hidden || fail "the panel stayed with the pointer past its right edge"
  front_probe_stop
  front_probe full
  xdotool mousemove 0 300
  stays_true 1 panel_hidden || fail "the panel showed over a full-screen program"
  front_probe_stop
  wait_until 3 panel_geometry || fail "the panel did not show at the edge after the full-screen program ended"
  q_exit_via_tray
}

# The hot key, typed into another program's window, brings the panel at once (a tick is a
# second here) with the pointer at the left column; again, and the panel goes and the
# pointer is back where it was. Each chord is sent at once (--delay 0): Wine sets its idea of
# the keyboard from a snapshot taken when the panel maps under the pointer, and a chord whose
# releases straddle that moment leaves Q down there, so the no-repeat flag swallows the next
# press. A person's press is held far longer than the panel takes to come.
test_hot_key_brings_the_panel_at_once_and_takes_it_away_again() {
  write_crlf quorvane.ini '[quorvane]' 'Timer=1000' 'HotKey=1617'
  q_start_running
  front_probe window
  xdotool mousemove "$PARK_X" "$PARK_Y"
  xdotool windowfocus --sync "$FRONT_WINDOW"
  local start elapsed
  start=$(date +%s%3N)
  xdotool key --delay 0 ctrl+alt+q
  wait_until 2 panel_geometry || fail "Ctrl + Alt + Q did not bring the panel"
  elapsed=$(($(date +%s%3N) - start))
  [ "$elapsed" -le 500 ] || fail "the panel came $elapsed ms after the key, not at once"
  pointer_at 0 "$PARK_Y" || fail "the pointer is at $POINTER after the key, not at 0,$PARK_Y"
  xdotool key --delay 0 ctrl+alt+q
  wait_until 2 panel_hidden || fail "the key pressed again left the panel shown"
  pointer_at "$PARK_X" "$PARK_Y" || fail "the pointer is at $POINTER after the second key, not back at $PARK_X,$PARK_Y"
  front_probe_stop
  q_exit_via_tray
}
