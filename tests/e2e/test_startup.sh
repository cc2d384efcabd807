# Start-up and shut-down of the real program: the missing-list message, the hidden start
# with a list that takes no focus, Exit from the tray menu, a polite close and the end of the
# session, the INI file left alone, arguments ignored, the tray icon at logon and after a
# restart of the shell.

error_box() { q_visible_named 'エラー'; }

# dismiss_error_box: Return on the message box; it must be the only way out.
dismiss_error_box() {
  local box
  box=$(error_box) || fail "the message box is gone before it was dismissed"
  xdotool windowfocus --sync "$box" key Return
}

test_missing_list_shows_message_while_tray_icon_present_then_exits_0() {
  rm -f quorvane.cfg quorvane.ini
  q_start
  wait_until 15 error_box >/dev/null || fail "no message box titled エラー without quorvane.cfg"
  tray_shows_icon || fail "the tray shows no icon while the message box is up"
  # The poll timer must not run yet: the cursor at the edge shows no panel (default
  # Timer, one second, so wait past one interval).
  xdotool mousemove 0 300
  stays_true 1.5 panel_hidden || fail "the panel showed while the missing-list message was up"
  xdotool mousemove "$PARK_X" "$PARK_Y"
  q_running || fail "the program ended before its message was dismissed"
  dismiss_error_box
  q_expect_exit 0
  wait_until 5 tray_unmapped || fail "the tray icon stayed after the program ended"
  [ ! -e quorvane.ini ] || fail "quorvane.ini was created by a start without a list"
}

test_missing_list_with_arguments_still_shows_message_and_exits_0() {
  rm -f quorvane.cfg
  q_start /S quorvane.cfg 'C:\windows\notepad.exe'
  wait_until 15 error_box >/dev/null || fail "no message box titled エラー when started with arguments"
  dismiss_error_box
  q_expect_exit 0
  ! error_box >/dev/null || fail "a second message box followed the first"
}

test_start_with_list_stays_hidden_and_tray_exit_ends_with_0_leaving_ini_unchanged() {
  cp quorvane.ini ini.before
  q_start_running
  # Timer=100: a second is about ten ticks with the cursor away from the edge.
  SHOWN_WINDOW=
  stays_true 1 q_running_hidden ||
    fail "without the cursor at the edge the program ended or showed a window ($SHOWN_WINDOW)"
  tray_shows_icon || fail "the tray shows no icon while the program runs"
  tray_press 3
  menu_choose exit
  q_expect_exit 0
  wait_until 5 tray_unmapped || fail "the tray icon stayed after Exit"
  cmp -s quorvane.ini ini.before || fail "quorvane.ini changed during a run without the settings dialog"
}

test_arguments_are_ignored_and_a_run_without_ini_creates_none() {
  rm -f quorvane.ini
  q_start_running --settings /x 'C:\windows\notepad.exe' extra
  SHOWN_WINDOW=
  stays_true 1.2 q_running_hidden || fail "with arguments the program ended or showed a window ($SHOWN_WINDOW)"
  # Defaults apply (Timer 1000): the panel still answers the edge, 26 pixels wide.
  show_panel
  [ "$PW" = 26 ] || fail "with arguments the panel is $PW pixels wide, expected the default 26"
  q_exit_via_tray
  [ ! -e quorvane.ini ] || fail "a run without the settings dialog created quorvane.ini"
}

test_tray_icon_comes_back_when_the_shell_announces_a_restart() {
  q_start_running
  shell_restart lose || fail "could not remove the tray icon as a shell restart does"
  wait_until 5 tray_unmapped || fail "the tray icon did not go away"
  shell_restart announce || fail "could not broadcast TaskbarCreated"
  wait_until 5 tray_shows_icon || fail "the tray icon did not come back after TaskbarCreated"
  tray_move_away
  q_exit_via_tray
}

# Starting takes neither the screen nor the keyboard: once the icon is there no window of the
# program is mapped and the foreground belongs to another program; with the default interval
# (the first tick a second away) and with Timer=-1 (no tick ever).
test_start_shows_no_window_and_takes_no_focus_whatever_the_timer() {
  local timer
  for timer in 'Timer=1000' 'Timer=-1'; do
    write_crlf quorvane.ini '[quorvane]' "$timer"
    q_start
    wait_until 15 tray_mapped || fail "$timer: no tray icon appeared after start"
    SHOWN_WINDOW=
    q_running_hidden || fail "$timer: a window of the program showed at start ($SHOWN_WINDOW)"
    shell_restart foreground || fail "$timer: the program took the foreground at start"
    tray_move_away
    stays_true 1 q_running_hidden || fail "$timer: a window of the program showed ($SHOWN_WINDOW)"
    q_exit_via_tray
  done
}

# A polite close (taskkill without /F), with the About dialog open, and the end of the session
# end the program as Exit does: exit code 0 and no icon left behind. At the end of the session
# the process is ended as soon as its handler returns, as Windows may end it: the handler must
# have taken the icon out of the tray by then.
test_close_and_end_of_session_end_it_with_0_and_no_icon() {
  q_start_running
  tray_press 3
  menu_choose about
  wait_until 10 q_visible_named 'quorvane　バージョン情報' >/dev/null || fail "the About dialog did not open"
  shell_restart close || fail "could not post WM_CLOSE to the panel"
  q_expect_exit 0
  wait_until 5 tray_unmapped || fail "the tray icon stayed after WM_CLOSE"
  q_start_running
  shell_restart endsession ||
    fail "the end of the session failed (exit code $?; 3: the handler returned with the icon in the tray)"
  q_expect_exit 0
  wait_until 5 tray_unmapped || fail "the tray icon stayed after the end of the session"
}

# At logon the shell may not take the icon yet: a tray window in front of the real one
# refuses it (the add at start, then the first retry's add and modify) and goes; the icon
# must come by itself once the real tray can take it.
test_tray_icon_refused_at_start_comes_by_itself() {
  shell_restart_exe
  "$WINE" "$SHELL_RESTART" busy </dev/null >/dev/null 2>&1 &
  local busy=$!
  trap "kill $busy 2>/dev/null" EXIT
  wait_until 10 test -e busy.ready || fail "the busy tray did not start"
  q_start
  wait_until 15 tray_shows_icon || fail "no tray icon came after the shell refused the first ones"
  wait_until 5 eval '! kill -0 "$busy" 2>/dev/null' || fail "the icon came without being refused three times first"
  tray_move_away
  q_exit_via_tray
}
