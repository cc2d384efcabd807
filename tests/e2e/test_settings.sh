# The settings dialog and the About dialog, opened from the tray menu one at a time; the
# settings saved beside the program whatever its folder is named.

settings_dialog() { q_visible_named 'quorvane の設定'; }
settings_closed() { ! settings_dialog >/dev/null; }
about_dialog() { q_visible_named 'quorvane　バージョン情報'; }
about_open() { about_dialog >/dev/null; }
about_closed() { ! about_open; }

# The settings template is 219 x 201 dialog units; OK, Cancel and Apply have their
# centres at (81, 187), (134, 187) and (189, 187).
SETTINGS_DLU_W=219 SETTINGS_DLU_H=201

# dialog_click WINDOW DLU_X DLU_Y DLU_W DLU_H: clicks a point given in the template's dialog
# units. The client area begins 3 pixels right of the window's left edge and 21 below its
# top (the frame and caption Wine draws, measured here); its size over the template's
# size gives the scale.
dialog_click() {
  win_geometry "$1" || fail "the dialog went away before the click"
  local cw=$((WW - 6)) chh=$((WH - 24))
  press 1 $((WX + 3 + $2 * cw / $4)) $((WY + 21 + $3 * chh / $5))
}

# expect_centred WINDOW WHAT: left = screen width / 2 - width / 2, and so for the top.
expect_centred() {
  win_geometry "$1" || fail "$2 went away"
  [ "$WX,$WY" = "$((SCREEN_W / 2 - WW / 2)),$((SCREEN_H / 2 - WH / 2))" ] ||
    fail "$2 (${WW}x$WH) opened at $WX,$WY, not centred on the screen"
}

# open_settings: tray menu, Settings; DLG is the dialog, its width field has the focus.
open_settings() {
  tray_press 3
  menu_choose settings
  wait_until 10 settings_dialog >/dev/null || fail "no window titled 'quorvane の設定' after Settings"
  DLG=$(settings_dialog)
  expect_centred "$DLG" "the settings dialog"
}

# type_width N: replaces the width field's text (End, then BackSpace: select-all does not
# reach an edit here).
type_width() {
  xdotool windowfocus --sync "$DLG" key End BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type "$1"
}

ini_has_all_keys() { [ "$(grep -c = quorvane.ini 2>/dev/null)" = 7 ]; }

test_settings_apply_then_ok_save_all_keys_in_order_and_next_panel_has_new_width() {
  rm -f quorvane.ini
  q_start_running
  open_settings
  type_width 40
  dialog_click "$DLG" 189 187 $SETTINGS_DLU_W $SETTINGS_DLU_H
  wait_until 5 ini_has_all_keys || fail "Apply did not write the seven keys to quorvane.ini"
  local expected=$'[quorvane]\nWindowWidth=40\nItemHeight=20\nTimer=1000\nIconType=0\nChangeSize=0\nFullScreen=1\nHotKey=0'
  [ "$(tr -d '\r' <quorvane.ini)" = "$expected" ] ||
    fail "after Apply quorvane.ini reads: $(tr -d '\r' <quorvane.ini | tr '\n' ' ')"
  settings_dialog >/dev/null || fail "Apply closed the settings dialog"
  dialog_click "$DLG" 81 187 $SETTINGS_DLU_W $SETTINGS_DLU_H
  wait_until 5 settings_closed || fail "OK did not close the settings dialog"
  [ "$(tr -d '\r' <quorvane.ini)" = "$expected" ] ||
    fail "after OK quorvane.ini reads: $(tr -d '\r' <quorvane.ini | tr '\n' ' ')"
  # The running program takes the new width at its next show (its timer is still 1000).
  show_panel
  [ "$PW" = 40 ] || fail "after OK with width 40 the panel shows $PW pixels wide"
  q_exit_via_tray
}

test_settings_escape_keeps_dialog_and_cancel_stores_nothing() {
  cp quorvane.ini ini.before
  q_start_running
  open_settings
  type_width 50
  xdotool key Escape
  stays_true 0.6 settings_dialog >/dev/null || fail "Escape closed the settings dialog"
  dialog_click "$DLG" 134 187 $SETTINGS_DLU_W $SETTINGS_DLU_H
  wait_until 5 settings_closed || fail "Cancel did not close the settings dialog"
  cmp -s quorvane.ini ini.before || fail "Cancel changed quorvane.ini"
  show_panel
  [ "$PW" = 26 ] || fail "after Cancel the panel shows $PW pixels wide, expected 26 as before"
  q_exit_via_tray
}

test_about_dialog_ignores_escape_and_closes_on_return() {
  q_start_running
  tray_press 3
  menu_choose about
  wait_until 10 about_open || fail "no window titled 'quorvane　バージョン情報' after About"
  local dlg
  dlg=$(about_dialog)
  expect_centred "$dlg" "the About dialog"
  xdotool windowfocus --sync "$dlg" key Escape
  stays_true 0.6 about_open || fail "Escape closed the About dialog"
  xdotool windowfocus --sync "$dlg" key Return
  wait_until 3 about_closed || fail "Return did not close the About dialog"
  q_running || fail "the program ended with the About dialog"
  q_exit_via_tray
}

# The common controls the program has loaded, as Wine's loader reports them (WINEDEBUG
# +pid,+loaddll): one full path a line. Only the program's own process counts: Wine starts
# its explorer.exe during the first test that needs it, and that process loads them too.
comctl32_loads() {
  local pid
  pid=$(grep -im1 'Loaded L"[^"]*\\quorvane\.exe"' .wine.log | cut -d: -f1)
  [ -n "$pid" ] || { echo "(the log shows no process of quorvane.exe)"; return; }
  grep -i "^$pid:[0-9a-f]*:trace:loaddll:.*Loaded L\"[^\"]*comctl32\.dll\"" .wine.log |
    grep -io 'Loaded L"[^"]*"' | sed 's/^Loaded L"//; s/"$//'
}
comctl32_loaded() { comctl32_loads | grep -qi 'comctl32\.dll$'; }

# A comctl32.dll dropped beside the program (a Downloads folder is the usual case) never
# runs in it, and the settings dialog still gets its arrows. Wine prefers its own comctl32
# unless told to take one found on disk first; told so, it looks beside the program before
# the system folder, as Windows does for a DLL that is not one of its known DLLs.
# The common controls load when the program is first idle after its start, and by name, so
# that the manifest's dependency gives version 6 (the visual style): Wine keeps that one in
# the assembly folder of Microsoft.Windows.Common-Controls 6.0, version 5 in the system folder.
# Settings then loads no other.
test_settings_dialog_opens_while_a_comctl32_dll_beside_the_program_stays_unloaded() {
  "$E2E_CC" -shared -O2 -o comctl32.dll "$E2E_DIR/fake_comctl32.c" -Wl,--kill-at ||
    fail "could not build the stand-in comctl32.dll"
  WINEDEBUG=+pid,+loaddll WINEDLLOVERRIDES="$WINEDLLOVERRIDES;comctl32=n,b" q_start_running
  [ ! -e comctl32.loaded ] || fail "the comctl32.dll beside the program was loaded"
  local loads
  wait_until 5 comctl32_loaded || fail "the common controls did not load when the program was idle after start"
  loads=$(comctl32_loads)
  [ "$(wc -l <<<"$loads")" = 1 ] && grep -qi 'winsxs.*_microsoft\.windows\.common-controls_6595b64144ccf1df_6\.' <<<"$loads" ||
    fail "the common controls loaded are not version 6 alone: ${loads:-none}"
  open_settings
  [ "$(comctl32_loads)" = "$loads" ] || fail "Settings loaded other common controls: $(comctl32_loads)"
  dialog_click "$DLG" 134 187 $SETTINGS_DLU_W $SETTINGS_DLU_H
  wait_until 5 settings_closed || fail "Cancel did not close the settings dialog"
  show_panel
  q_exit_via_tray
  [ ! -e comctl32.loaded ] || fail "the comctl32.dll beside the program was loaded"
}

# Without any common controls (Wine told not to load them) the settings dialog still opens,
# only without the controls they would draw, and closes from its system menu (Alt+F4).
test_settings_dialog_opens_even_when_the_common_controls_cannot_load() {
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;comctl32=" q_start_running
  open_settings
  xdotool windowfocus --sync "$DLG" key alt+F4
  wait_until 5 settings_closed || fail "Alt+F4 did not close the settings dialog"
  q_running || fail "the program ended with the settings dialog"
  q_exit_via_tray
}

# One dialog at a time: with Settings open, a press on the tray icon opens no menu and no
# second dialog, and brings the open dialog to the front (a click on the tray's caption
# first made the tray active and the dialog inactive).
test_tray_press_with_settings_open_brings_it_forward_instead_of_a_menu() {
  q_start_running
  open_settings
  tray_icon_xy || fail "no tray window to press on"
  press 1 $((TX + 60)) $((TY + 8))
  wait_until 5 caption_is "$DLG" "$CAPTION_INACTIVE" || fail "a click on the tray left the dialog active"
  press 3 "$ICON_X" "$ICON_Y"
  wait_until 5 caption_is "$DLG" "$CAPTION_ACTIVE" || fail "a press on the tray icon left the dialog behind"
  stays_true 1 menu_closed || fail "a press on the tray icon opened the menu with Settings open"
  local count
  count=$(xdotool search --onlyvisible --name '^quorvane の設定$' | wc -l)
  [ "$count" = 1 ] || fail "$count settings dialogs show"
  dialog_click "$DLG" 134 187 $SETTINGS_DLU_W $SETTINGS_DLU_H
  wait_until 5 settings_closed || fail "Cancel did not close the settings dialog"
  q_exit_via_tray
}

# The program's folder is found whatever characters its name holds. Beside a folder named
# with the nearest letters of the Japanese code page, which holds a list of its own, the
# program in "Café-é" reads its own list, and Apply writes quorvane.ini there, in ASCII.
test_folder_named_outside_the_code_page_holds_its_list_and_saved_settings() {
  local own=$T/Café-é near=$T/Cafe-e
  mkdir -p "$own" "$near"
  cp quorvane.exe "$own/"
  write_crlf "$own/quorvane.cfg" 'C:\windows\notepad.exe'
  write_crlf "$near/quorvane.cfg" 'C:\quorvane-no-such-folder\missing.exe'
  Q_DIR=$own q_start_running
  show_panel
  panel_measure
  wait_until 3 rows_look 'I' 20 || fail "row 0 shows no icon: the list in the program's own folder was not read"
  xdotool mousemove "$PARK_X" "$PARK_Y"
  wait_until 3 panel_hidden || fail "the panel did not hide"
  open_settings
  dialog_click "$DLG" 189 187 $SETTINGS_DLU_W $SETTINGS_DLU_H
  wait_until 5 test -s "$own/quorvane.ini" || fail "Apply wrote no quorvane.ini into the program's folder"
  [ ! -e "$near/quorvane.ini" ] || fail "Apply wrote quorvane.ini into the neighbouring folder"
  write_crlf expected.ini '[quorvane]' WindowWidth=26 ItemHeight=20 Timer=1000 IconType=0 ChangeSize=0 FullScreen=1 HotKey=0
  wait_until 3 cmp -s expected.ini "$own/quorvane.ini" ||
    fail "Apply wrote other bytes: $(od -c "$own/quorvane.ini" | head -3)"
  dialog_click "$DLG" 81 187 $SETTINGS_DLU_W $SETTINGS_DLU_H
  wait_until 5 settings_closed || fail "OK did not close the settings dialog"
  q_exit_via_tray
}
