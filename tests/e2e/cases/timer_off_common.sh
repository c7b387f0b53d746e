# Shared by the "Timer"=0 cases: start with the option off and read the box.
TIMER_OFF_TEXT="タイマー割込をオフにしました。　　"
timer_off_start() {
  e2e_seed timer_off.ini Varnel.ini
  e2e_start
  BOX=$(probe msgbox 30000) || fail "no message box: $BOX"
  echo "$BOX"
  expect_eq "$(echo "$BOX" | line_value caption)" "Varnel" "caption"
  expect_eq "$(echo "$BOX" | line_value text)" "$TIMER_OFF_TEXT" "text"
  sleep 1
  e2e_shot msgbox
}
