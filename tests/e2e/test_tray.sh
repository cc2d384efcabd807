# The tray icon's menu: which presses open it, where it opens, and that closing it without
# a choice changes nothing.

# menu_opened_at_press: the menu's bottom-left corner is where the button went down.
menu_opened_at_press() {
  [ "$MX" = "$PRESS_X" ] && [ $((MY + MH)) = "$PRESS_Y" ] ||
    fail "the menu's bottom-left corner is at $MX,$((MY + MH)), the button went down at $PRESS_X,$PRESS_Y"
}

# nothing_changed_after_menu: the menu is gone, no window of the program shows, the
# program still runs with its tray icon, and quorvane.ini is as it was.
nothing_changed_after_menu() {
  wait_until 3 menu_closed || fail "the tray menu did not close"
  stays_true 0.5 q_running_hidden || fail "closing the menu without a choice opened a window or ended the program"
  tray_shows_icon || fail "the tray icon is gone after the menu closed"
  cmp -s quorvane.ini ini.before || fail "quorvane.ini changed although no item was chosen"
}

test_right_press_on_tray_icon_opens_menu_at_cursor_and_escape_closes_it_without_effect() {
  cp quorvane.ini ini.before
  q_start_running
  tray_press 3
  menu_opened_at_press
  menu_escape
  nothing_changed_after_menu
  q_exit_via_tray
}

test_left_press_opens_the_same_menu_and_a_click_elsewhere_closes_it_without_effect() {
  cp quorvane.ini ini.before
  q_start_running
  tray_press 3
  local right_size="${MW}x$MH"
  menu_escape
  wait_until 3 menu_closed || fail "Escape did not close the tray menu"
  tray_press 1
  menu_opened_at_press
  [ "${MW}x$MH" = "$right_size" ] || fail "the left button's menu is ${MW}x$MH, the right button's $right_size"
  press 1 300 300
  nothing_changed_after_menu
  q_exit_via_tray
}
