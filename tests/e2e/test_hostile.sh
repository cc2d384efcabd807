# Hostile input: list files and INI values nobody writes on purpose, a list file that is a
# folder, an INI file that cannot be written. Whatever the input, the program keeps running
# through pushes against the edge, moves over the rows and clicks on the panel, shows no
# window it should not, opens nothing it should not, and ends with 0 from the tray's Exit.
# A crash cannot hide: with winedbg disabled a crashing program ends at once, non-zero.

# Entries that name nothing: a click on them opens nothing and shows nothing.
NO_SUCH_ENTRY='C:\quorvane-no-such-folder\missing.exe'

# foreign_window: 0 when a mapped top-level window is neither the tray nor an untitled
# window of ours (panel, tray menu) nor one of ours titled as
# a line of $EXPECTED_TITLES. FOREIGN describes it.
foreign_window() {
  local root w name ours
  root=$(($(xwininfo -root | awk '/Window id:/ {print $4}')))
  ours=$(q_windows)
  for w in $(xdotool search --maxdepth 1 --onlyvisible --name '' 2>/dev/null); do
    [ "$w" = "$root" ] && continue
    name=$(xdotool getwindowname "$w" 2>/dev/null)
    [ "$name" = "Wine System Tray" ] && continue
    if grep -qx "$w" <<<"$ours"; then
      [ -z "$name" ] && continue
      grep -qxF -- "$name" <<<"${EXPECTED_TITLES:-}" && continue
    fi
    win_geometry "$w"
    FOREIGN="'$name' ${WW}x$WH at $WX,$WY"
    return 0
  done
  return 1
}

# still_sound WHEN: the program runs and no foreign window showed.
still_sound() {
  q_running || fail "$WHAT: the program ended $1 (exit code $(cat "$T/.exit-code" 2>/dev/null))"
  ! foreign_window || fail "$WHAT: a window that is not ours appeared $1: $FOREIGN"
}

# edge_window: a mapped window of ours with its top-left corner at 0,0 (the panel at any
# size; Wine maps a panel without width as 1 x 1). Sets WW WH.
edge_window() {
  local w
  for w in $(q_windows); do
    win_geometry "$w" && [ "$WX,$WY" = 0,0 ] && return 0
  done
  return 1
}
no_edge_window() { ! edge_window; }

# poke SHOWS: the cursor at column 0 for a few ticks, moves down the rows, two right
# clicks and a left click on row 0 (client y 10) of the panel, then the edge once more.
# SHOWS: full (the whole panel shows), bare (it shows without usable width), any (either),
# never.
poke() {
  xdotool mousemove 0 300
  case $1 in
  full) wait_until 3 panel_geometry || fail "$WHAT: the panel did not show at the edge" ;;
  bare)
    wait_until 3 edge_window || fail "$WHAT: nothing showed at the edge"
    [ "$WW" -le 1 ] || fail "$WHAT: the panel shows ${WW} pixels wide, expected no usable width"
    ;;
  any) wait_until 3 edge_window || fail "$WHAT: nothing showed at the edge" ;;
  never) stays_true 1 panel_hidden || fail "$WHAT: the panel showed at the edge" ;;
  esac
  stays_true 0.4 q_running || fail "$WHAT: the program ended with the cursor at the edge"
  local y
  for y in 2 15 25 47 90 260 511 700 2 300; do xdotool mousemove 1 "$y"; done
  xdotool mousemove 0 300
  press 3 5 300
  press 3 5 400
  press 1 5 10
  still_sound "after the clicks on the panel"
  xdotool mousemove 0 400
  stays_true 0.4 q_running || fail "$WHAT: the program ended back at the edge"
  xdotool mousemove "$PARK_X" "$PARK_Y"
  wait_until 2 no_edge_window || [ "$1" = never ] || fail "$WHAT: the panel did not hide away from the edge"
  still_sound "after the pokes"
}

# run_case SHOWS INI-LINE...: one run with Timer=100 (unless given) and these lines.
run_case() {
  local shows=$1
  shift
  WHAT="$*"
  case " $* " in
  *" Timer="*) write_crlf quorvane.ini '[quorvane]' "$@" ;;
  *) write_crlf quorvane.ini '[quorvane]' 'Timer=100' "$@" ;;
  esac
  xdotool mousemove "$PARK_X" "$PARK_Y"
  q_start_running
  poke "$shows"
  q_exit_via_tray
}

# make_probe DIR: a batch file that writes the folder it was started in to DIR/cwd.txt
# (it does so about 0.4 s after a click here).
hostile_probe() {
  mkdir -p "$1"
  write_crlf "$1/probe.bat" 'cd > "%~dp0cwd.txt"'
}

# fixed_rows: a row height IH that gives R rows for every frame of 1 to 4 pixels.
fixed_rows() {
  local ih cmin=$((EXPECT_PANEL_H - 8)) cmax=$((EXPECT_PANEL_H - 2))
  for ih in 50 45 40 55 60 36 70 80 100; do
    R=$((cmin / ih))
    [ $((cmax / ih)) = "$R" ] && [ "$R" -ge 3 ] && IH=$ih && return 0
  done
  fail "no row height gives a fixed number of rows on this screen"
}

test_noise_list_with_zero_bytes_control_z_lone_cr_and_long_lines_reads_and_survives() {
  # Rows: 0-1 a 300-byte line of noise (two pieces); 2-3 259 bytes of noise, then notepad
  # as the line's second piece; 4 notepad, a zero byte and noise; 5 noise, a lone CR and
  # notepad (one entry, no file); 6 regedit; then 80 lines of noise, a control-Z and
  # entries with icons that must never show.
  python3 - <<'EOF' >quorvane.cfg || fail "could not write the noise list"
import random, sys
rnd = random.Random(20240611)
NOTEPAD, REGEDIT = b'C:\\windows\\notepad.exe', b'C:\\windows\\regedit.exe'
def noise(n):
    # Any byte but line feed, control-Z and carriage return; then some lone CRs.
    b = bytearray(rnd.choice([x for x in range(256) if x not in (10, 13, 26)]) for _ in range(n))
    for i in rnd.sample(range(1, max(n - 1, 2)), min(n // 40, n - 2) if n > 2 else 0):
        b[i] = 13
    return bytes(b)
out = sys.stdout.buffer
out.write(noise(300) + b'\r\n')
out.write(noise(259) + NOTEPAD + b'\r\n')
out.write(NOTEPAD + b'\0' + noise(30) + b'\r\n')
out.write(noise(20) + b'\r' + NOTEPAD + b'\r\n')
out.write(REGEDIT + b'\r\n')
for _ in range(80):
    out.write(noise(rnd.randrange(0, 301)) + rnd.choice([b'\r\n', b'\n', b'\r\r\n']))
out.write(b'\x1a' + (NOTEPAD + b'\r\n') * 40)
EOF
  WHAT="the noise list"
  q_start_running
  show_panel
  panel_measure
  local page0='___II_I_____'
  wait_until 3 rows_look "$page0" 20 || fail "page 0 of the noise list reads $ROWS_SEEN, expected $page0"
  # Page 1 onwards is noise only; the pages come round to page 0 again.
  press 3 5 300
  wait_until 3 rows_look '____________' 20 || fail "a right click did not leave page 0 (rows seen: $ROWS_SEEN)"
  local clicks
  for ((clicks = 2; clicks <= 6; clicks++)); do
    press 3 5 $((300 + clicks % 2 * 100))
    wait_until 1 rows_look "$page0" 20 && break
  done
  [ "$clicks" -le 6 ] || fail "right clicks did not come back to page 0 of the noise list"
  poke full
  q_exit_via_tray
}

test_list_of_40000_lines_starts_quickly_shows_page_0_and_pages_on() {
  fixed_rows
  # Page 0 programs only; page 1 regedit in row 1, page 2 in row 2; all else names nothing.
  awk -v r="$R" -v none="$NO_SUCH_ENTRY" 'BEGIN {
    for (i = 0; i < 40000; i++) {
      if (i < r) e = "C:\\windows\\notepad.exe"
      else if (i == r + 1 || i == 2 * r + 2) e = "C:\\windows\\regedit.exe"
      else e = none i
      printf "%s\r\n", e
    } }' >quorvane.cfg
  write_crlf quorvane.ini '[quorvane]' 'Timer=100' "ItemHeight=$IH"
  WHAT="the list of 40000 lines"
  # From the start to the panel at the edge: reading the list, then a tick.
  xdotool mousemove 0 400
  local started=$(date +%s%N) took
  q_start
  wait_until 10 panel_geometry || fail "the panel did not show within 10 s of the start"
  took=$((($(date +%s%N) - started) / 1000000))
  [ "$took" -le 4000 ] || fail "the panel showed $took ms after the start, expected a start within 4 s"
  xdotool mousemove "$PARK_X" "$PARK_Y"
  q_start_running_after_start
  show_panel
  panel_measure
  wait_until 3 rows_look 'III' "$IH" || fail "page 0 does not show its programs (rows seen: $ROWS_SEEN)"
  press 3 11 $((FT + R * IH / 2))
  wait_until 3 rows_look '_I_' "$IH" || fail "the first right click did not bring page 1 (rows seen: $ROWS_SEEN)"
  press 3 11 $((FT + R * IH / 2 + IH))
  wait_until 3 rows_look '__I' "$IH" || fail "the second right click did not bring page 2 (rows seen: $ROWS_SEEN)"
  poke full
  q_exit_via_tray
}

# q_start_running_after_start: what q_start_running does once the program was started.
q_start_running_after_start() {
  wait_until 15 tray_mapped || fail "no tray icon appeared after start"
  tray_move_away
  q_running || fail "quorvane ended on its own after start (exit code $(cat "$T/.exit-code" 2>/dev/null))"
}

panel_plain() {
  shot bare
  [ "$(pix "$SHOT" "uniform $FL $FT $((PW - FL)) $((FT + 100))")" != mixed ]
}

test_row_height_0_or_negative_shows_a_panel_without_icons_that_opens_nothing() {
  # Row 0 would be the probe, row 1 notepad's icon, if rows existed.
  hostile_probe "$T/probe"
  write_crlf quorvane.cfg "$(winpath "$T/probe")\\probe.bat" 'C:\windows\notepad.exe' "$NO_SUCH_ENTRY"
  local height
  for height in 0 -20; do
    WHAT="ItemHeight=$height"
    write_crlf quorvane.ini '[quorvane]' 'Timer=100' "ItemHeight=$height"
    q_start_running
    show_panel
    [ "$PH" = "$EXPECT_PANEL_H" ] || fail "$WHAT: the panel is $PH pixels high, expected $EXPECT_PANEL_H"
    panel_measure
    # No icon and no row edge anywhere, also after moves over what would be rows.
    local y
    for y in 5 30 50 300; do xdotool mousemove 3 "$y"; done
    # An edge or an icon would show within a tick or two: the panel stays plain throughout.
    stays_true 1 panel_plain || fail "$WHAT: something is drawn on the panel"
    poke full
    q_exit_via_tray
    [ ! -e "$T/probe/cwd.txt" ] || fail "$WHAT: a click on the panel opened the entry of row 0"
  done
}

test_width_0_or_negative_shows_a_panel_without_width_and_exit_still_works() {
  write_crlf quorvane.cfg "$NO_SUCH_ENTRY" 'C:\windows\notepad.exe'
  run_case bare 'WindowWidth=0'
  run_case bare 'WindowWidth=-5'
}

test_timer_0_still_shows_the_panel_and_timer_minus_1_never_does() {
  write_crlf quorvane.cfg "$NO_SUCH_ENTRY" 'C:\windows\notepad.exe'
  run_case full 'Timer=0'
  run_case never 'Timer=-1'
}

test_icon_type_2_draws_large_icons() {
  write_crlf quorvane.cfg "$NO_SUCH_ENTRY" 'C:\windows\notepad.exe'
  write_crlf quorvane.ini '[quorvane]' 'Timer=100' 'IconType=2' 'ItemHeight=40' 'WindowWidth=48'
  WHAT="IconType=2"
  q_start_running
  show_panel
  panel_measure
  # Row 1 is notepad: a 16 x 16 icon would leave the lower right quarter of its 32 x 32
  # box plain. Row 0 names no file and stays plain.
  local x0=$((FL + 18)) y0=$((FT + 40 + 18))
  ICON_SIZE=32 wait_until 3 rows_look '_I' 40 || fail "row 1 shows no icon (rows seen: $ROWS_SEEN)"
  [ "$(pix "$SHOT" "uniform $x0 $y0 $((x0 + 16)) $((y0 + 16))")" = mixed ] ||
    fail "row 1 holds no 32 x 32 icon"
  [ "$(pix "$SHOT" "uniform $((FL + 2)) $((FT + 2)) $((FL + 34)) $((FT + 34))")" != mixed ] ||
    fail "row 0, an entry without a file, holds a picture"
  poke full
  q_exit_via_tray
}

test_odd_ini_texts_load_as_numbers_and_the_panel_still_works() {
  write_crlf quorvane.cfg "$NO_SUCH_ENTRY" 'C:\windows\notepad.exe' "$NO_SUCH_ENTRY"
  local nines=9999999999999999999999999999999999999999
  run_case full 'ChangeSize=7'
  run_case bare "WindowWidth=$nines" "ItemHeight=1234567890123456789012345678901234567890" \
    "IconType=$nines" "ChangeSize=1000000000000000000000000000000000000001"
  # How text that is no plain decimal reads is the profile call's rule, not ours.
  run_case any 'WindowWidth=0x1A' 'ItemHeight=0x1A' 'IconType=0x1A' 'ChangeSize=0x1'
  run_case full 'WindowWidth=' 'ItemHeight=' 'IconType=' 'ChangeSize='
}

test_list_file_that_is_a_folder_counts_as_missing_and_exits_0() {
  rm -f quorvane.cfg
  mkdir quorvane.cfg
  WHAT="quorvane.cfg a folder"
  EXPECTED_TITLES='エラー'
  q_start
  wait_until 15 q_visible_named 'エラー' >/dev/null || fail "no message box titled エラー with a folder for the list"
  still_sound "with the message up"
  xdotool windowfocus --sync "$(q_visible_named 'エラー')" key Return
  q_expect_exit 0
  wait_until 5 tray_unmapped || fail "the tray icon stayed after the program ended"
}

# Saving settings into an INI file that cannot be written: the file is made immutable
# (root ignores a plain read-only mode). Wine's profile trace reports the failed write.
test_settings_saved_into_unwritable_ini_are_kept_for_the_run_and_the_file_is_unchanged() {
  write_crlf quorvane.cfg "$NO_SUCH_ENTRY"
  cp quorvane.ini ini.before
  chattr +i quorvane.ini || fail "chattr +i does not work here"
  trap 'chattr -i "$T/quorvane.ini"' EXIT
  WHAT="an immutable quorvane.ini"
  EXPECTED_TITLES='quorvane の設定'
  WINEDEBUG=warn+profile q_start_running
  tray_press 3
  menu_choose settings
  wait_until 10 q_visible_named 'quorvane の設定' >/dev/null || fail "the settings dialog did not open"
  local dlg
  dlg=$(q_visible_named 'quorvane の設定')
  xdotool windowfocus --sync "$dlg" key End BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type 40
  # OK: the template is 219 x 171 dialog units, OK centred at (81, 157); the client area
  # starts 3 pixels right of and 21 below the window's corner.
  win_geometry "$dlg"
  press 1 $((WX + 3 + 81 * (WW - 6) / 219)) $((WY + 21 + 157 * (WH - 24) / 171))
  wait_until 5 eval '! q_visible_named "quorvane の設定" >/dev/null' || fail "OK did not close the settings dialog"
  still_sound "after the failed save"
  grep -q 'could not save profile\|PROFILE_Open Error' "$T/.wine.log" ||
    fail "Wine's profile trace shows no failed write (the write may have gone through)"
  cmp -s quorvane.ini ini.before || fail "quorvane.ini changed"
  local round
  for round in 1 2; do
    show_panel
    [ "$PW" = 40 ] || fail "show $round after the save: the panel is $PW pixels wide, expected 40"
    xdotool mousemove "$PARK_X" "$PARK_Y"
    wait_until 3 panel_hidden || fail "the panel did not hide"
  done
  poke full
  q_exit_via_tray
  cmp -s quorvane.ini ini.before || fail "quorvane.ini changed by the end of the run"
}
