# Sourced by every end-to-end case (e2e_init <name> <Varnel.exe> <probe.exe>): a fresh folder per case, the
# program under Wine, probe and X helpers, and a trap that ends what the case started.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
E2E_PID=""
e2e_log() { echo "[$(date +%T)] $*"; }
fail() { e2e_log "FAIL: $*"; e2e_shot failure || true; exit 1; }
e2e_init() {
  E2E_NAME=$1 E2E_EXE=$2 E2E_PROBE=$3
  [ -f "$E2E_EXE" ] && [ -f "$E2E_PROBE" ] && [ -n "${DISPLAY:-}" ] ||
    { echo "no program at $E2E_EXE, probe at $E2E_PROBE or display (run the wine fixture first)"; exit 1; }
  E2E_CASE="$VARNEL_E2E_DIR/cases/$E2E_NAME" E2E_SHOTS="$VARNEL_E2E_DIR/shots" E2E_APP_NAME=${E2E_EXE##*/}
  rm -rf "$E2E_CASE"
  mkdir -p "$E2E_CASE/data" "$E2E_SHOTS"
  cp "$E2E_EXE" "$E2E_CASE/$E2E_APP_NAME"
  # A program started against the previous case's server on its way out can end at once.
  timeout 30 /usr/lib/wine/wineserver -w 2>/dev/null
  d="$E2E_CASE/data"
  trap e2e_teardown EXIT
}
# A row text in the note file's strict form ("\\|", every backslash doubled): a path never reads as a TAB.
strict_text() { printf '\\|%s' "$(printf '%s' "$1" | sed 's/\\/\\\\/g')"; }
# Writes stdin (UTF-8, LF) to the file $1 as the program writes its files: CP932, CR LF.
crlf() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$1"; }
ini() { printf '[Default]\n%b\n' "$1" | crlf "$d/Varnel.ini"; }  # from keys "List=1\nTimer=0"
# The note file of slot $1 (or the path $1) from the [Default] keys $2 ("X=1\nY=2") and rows: "=text" a heading,
# any other a detail; "S|text" gives the state: a digit (1 checked, 2 done, 3 deleted) or the whole record.
note() {
  local f=$1 r s h=0 n=0
  [[ $f == */* ]] || f=$(printf '%s/Varnel%02d.dat' "$d" "$1")
  {
    printf '[Default]\n%b\n' "$2"
    shift 2
    for r; do
      s=
      [[ $r =~ ^(=?)([0-9A-Fa-f]+)\|(.*)$ ]] && s=${BASH_REMATCH[2]} r=${BASH_REMATCH[1]}${BASH_REMATCH[3]}
      if [ "${r:0:1}" = = ]; then
        h=$((h + 1)) n=0 r=${r:1} s=${s:-00000000}
        echo "[$h]"
      fi
      [ ${#s} -gt 1 ] || s=0000000${s:-0}0000000000000000
      printf '%dS=%s\n%dL=%s\n' $n "$s" $((n++)) "$r"
    done
  } | sed '/^$/d' | crlf "$f"
}
# Starts the program in the background; its exit code lands in $E2E_CASE/exit.<n>. E2E_CLOCK (a faketime -f
# time: "@2026-12-07 23:00:00" or "=2026-12-07 23:00:00", a clock running on from then that e2e_clock_set can
# move) restarts the prefix's server under that clock first.
E2E_RUNS=0
e2e_start() {
  local clock=()
  if [ -n "${E2E_CLOCK:-}" ]; then
    timeout 30 /usr/lib/wine/wineserver -k 2>/dev/null
    timeout 30 /usr/lib/wine/wineserver -w 2>/dev/null
    # A process of the old server still going would hold the program's mutex.
    wait_until 20 '[ -z "$(prefix_pids)" ]' || kill -9 $(prefix_pids) 2>/dev/null
    clock=(faketime -f "$E2E_CLOCK")
    # A plain time goes through a clock file every process reads. The faketime wrapper (kept for a clock
    # that runs faster) names its semaphore after its pid, and one a killed wrapper left behind stops a
    # later wrapper that gets the same pid.
    if [[ $E2E_CLOCK =~ ^[@=][^x]*$ ]]; then
      e2e_clock_set "${E2E_CLOCK:1}"
      clock=(env LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
             FAKETIME_TIMESTAMP_FILE="$E2E_CASE/clock.rc" FAKETIME_CACHE_DURATION=1
             FAKETIME_DONT_FAKE_MONOTONIC=1)
    fi
  fi
  local n=$((++E2E_RUNS))
  (
    cd "$E2E_CASE" || exit 99
    timeout -k 5 "${E2E_LIFETIME:-280}" "${clock[@]}" "$WINE" "$E2E_CASE/$E2E_APP_NAME" >"$E2E_CASE/out.$n" 2>&1
    echo $? >"$E2E_CASE/exit.$n.tmp" && mv "$E2E_CASE/exit.$n.tmp" "$E2E_CASE/exit.$n"
  ) &
  E2E_PID=$! E2E_RUN=$n
  e2e_log "started $E2E_APP_NAME (run $n, shell pid $E2E_PID)"
}
# Waits for the run $1 to end (up to $2 s); prints its exit code.
e2e_wait_exit() { local f="$E2E_CASE/exit.${1:-$E2E_RUN}"; wait_until "${2:-20}" "[ -f '$f' ]" && cat "$f"; }
prefix_pids() {
  local p
  for p in /proc/[0-9]*; do
    readlink "$p/exe" 2>/dev/null | grep -q wine && grep -qzx "WINEPREFIX=$WINEPREFIX" "$p/environ" 2>/dev/null &&
      echo "${p#/proc/}"
  done
}
e2e_running() { [ ! -f "$E2E_CASE/exit.$E2E_RUN" ]; }
probe() {
  timeout -k 2 30 "$WINE" "$E2E_PROBE" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
# Value of key=... from probe output given on stdin (the rest of the line for text keys).
field() { sed -n "s/^.*\b$1=\([^ ]*\).*$/\1/p" | head -n1; }
line_value() { sed -n "s/^$1=//p" | head -n1; }
e2e_wait_main() {
  wait_until "${1:-30}" 'probe find >/dev/null || ! e2e_running' || fail "no main window after ${1:-30}s"
  e2e_running && return
  tail -n 20 "$E2E_CASE/out.$E2E_RUN" 2>/dev/null
  fail "program ended before its main window appeared (exit $(cat "$E2E_CASE/exit.$E2E_RUN"))"
}
# Moves the settable clock to a local time "YYYY-MM-DD hh:mm:ss", from where it runs on.
e2e_clock_set() {
  printf '%+d\n' $(($(date -d "$1" +%s) - $(date +%s))) >"$E2E_CASE/clock.tmp"
  mv "$E2E_CASE/clock.tmp" "$E2E_CASE/clock.rc"
}
# A screenshot, $2 seconds (if given) from now; a merged case names it after its part (E2E_PART).
e2e_shot() {
  local path="$E2E_SHOTS/${E2E_PART:-$E2E_NAME}-$1.png"
  sleep "${2:-0}"
  timeout 20 import -display "$DISPLAY" -window root "$path" 2>/dev/null && e2e_log "screenshot $path"
}
xdo() { timeout 10 xdotool "$@"; }
click() { xdo mousemove "$1" "$2" click 1; sleep 0.7; }  # apart: never a double click
dblclick() { xdo mousemove "$1" "$2" click --repeat 2 --delay 80 1; sleep 0.7; }
pixel() {  # the screen's pixel at x y as #RRGGBB
  timeout 20 import -display "$DISPLAY" -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n1 |
    grep -o '#[0-9A-F]\{6\}' | head -n1
}
e2e_ini() { [ -f "$E2E_CASE/data/$1" ] || return 1; iconv -f CP932 -t UTF-8 "$E2E_CASE/data/$1" | tr -d '\r'; }
e2e_teardown() {
  local rc=$?
  if [ -n "$E2E_PID" ] && e2e_running; then
    # End the prefix's processes (one case a lane) and the waiting shell: only this case fails.
    e2e_log "killing what is left of this case"
    timeout 20 /usr/lib/wine/wineserver -k 2>/dev/null
    kill "$E2E_PID" 2>/dev/null
    [ $rc -eq 0 ] && rc=1
  fi
  wait 2>/dev/null
  [ $rc -eq 0 ] && e2e_log "PASS $E2E_NAME" || e2e_log "case $E2E_NAME failed (rc $rc)"
  exit $rc
}
# Polls a command line (eval'd) every quarter second until it succeeds; false after $1 seconds.
wait_until() {
  local end=$((SECONDS + $1))
  shift
  until eval "$*"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.25
  done
}
expect_eq() { [ "$1" = "$2" ] || fail "$3: expected [$2], got [$1]"; }
# Waits until the command line $1 prints $2 (up to $4 s); fails with $3 and what it prints otherwise.
wait_eq() {
  local cmd=$1 want=$2
  wait_until "${4:-10}" '[ "$(eval "$cmd")" = "$want" ]' || expect_eq "$(eval "$cmd")" "$want" "$3"
}
# Waits up to $1 ms for a message box or dialog whose probe lines match $2 (left in BOX); then, if
# given, takes the screenshot $4 (- none) and presses the box's button $5.
expect_box() {
  BOX=$(probe msgbox "$1") || fail "no box: $3"
  echo "$BOX" | grep -q -- "$2" || fail "$3: $BOX"
  [ "${4:--}" = - ] || e2e_shot "$4"
  [ -z "${5:-}" ] || probe msgbox-press "$5" >/dev/null || fail "$3: cannot press $5"
}
has() { local p; for p in "${@:2}"; do echo "$1" | grep -q -- "$p" || fail "no $p in: $1"; done; }  # text patterns...
# Opens the tray menu (its lines left in MENU) and chooses the item $1 Ups from the bottom (5: 設定; 0: none).
tray_item() {
  probe post 0x0400 0 0x0204 >/dev/null || fail "post tray callback"
  MENU=$(probe menu 10000) || fail "no tray menu"
  [ "$1" = 0 ] || xdo key $(printf 'Up %.0s' $(seq 1 "$1")) Return
}
wait_caption() { wait_until 30 "probe dialog 2>/dev/null | grep -q '^caption=$1\$'" || fail "no dialog $1"; }
open_settings() { tray_item 5; wait_caption "Varnel 設定"; [ -z "${1:-}" ] || drive "choose 1000 $1"; }  # on tab $1
close_dialog() { probe press "$1" >/dev/null; wait_no_dialog; }  # 11 OK, 12 Cancel
wait_no_dialog() { wait_until 10 '! probe dialog >/dev/null' || fail "a dialog stayed open: $(probe dialog | head -n2)"; }
# One control's line of `probe dialog` (the visible one first), and its text.
control_line() { probe dialog | grep "^control=$1 " | sort -t= -k4 -r | head -n1; }
control_text() { control_line "$1" | sed 's/.* text=//'; }
# The rows of list control $1 (columns up to $2, if given) on one line, each ended by "|".
list_rows() { probe rows "$@" | sed 's/^row=[0-9]* selected=[01] //' | tr '\n' '|'; }
visible_notes() { probe notes | grep -c 'visible=1'; }
# Waits for a note whose probe line matches the pattern $1 (grep -E); fails with $2 and the notes.
wait_note() { wait_until "${3:-10}" "probe notes | grep -qE -- '$1'" || fail "$2: $(probe notes)"; }
paints() { probe notes | awk -F'paints=' 'NF > 1 { split($2, a, " "); s += a[1] } END { print s + 0 }'; }  # of all notes
wait_visible_notes() { wait_eq visible_notes "$1" "${2:-visible notes}" 30; }
# Starts the program and waits for its main window and at least $1 notes shown; the mouse to x y ($2 $3) if given.
e2e_run() {
  e2e_start
  e2e_wait_main 30
  wait_until 60 "[ \$(visible_notes) -ge ${1:-0} ]" || fail "fewer than $1 notes shown: $(visible_notes)"
  [ -z "${2:-}" ] || xdo mousemove "$2" "$3" || fail "xdotool cannot reach the display"
}
LIST50=$(printf '1%.0s' $(seq 1 50))  # "List" with every slot in use
# 50 full notes (the benchmarks' maker $1) with at most $2 ON alarms, every slot listed.
full_notes() {
  rm -rf "${d:?}"/*
  (cd "$E2E_CASE" && timeout 60 "$WINE" "$1" data 7 "$2" >/dev/null 2>&1)
  [ -f "$d/Varnel49.dat" ] || fail "no notes written"
  ini "List=$LIST50"
}
# Values of the keys $2.. of the data file $1, joined by commas.
keys() { local k; for k in "${@:2}"; do echo "$(e2e_ini "$1" | line_value "$k")"; done | paste -sd,; }
# The value of key $3 in section $2 of the data file $1 (the first from that section on).
row_value() { e2e_ini "$1" | sed -n "/^\[$2\]/,\$p" | line_value "$3"; }
# Checks rows of data files, one a line: "slot|section|key|expected|what it shows" (of "nS" the state digit).
expect_rows() {
  local f sec k want what v
  while IFS='|' read -r f sec k want what; do
    v=$(row_value "Varnel0$f.dat" "$sec" "$k")
    [[ $k == [0-9]S ]] && v=${v:7:1}
    expect_eq "$v" "$want" "$what"
  done
}
# A command id as the hot keys post it; "send" as $2: handled when it returns.
hotkey() { probe "${2:-post}" 0x0312 "$1" 0 >/dev/null || fail "${2:-post} $1"; }
clip() { probe clip "$(printf '%s' "$1" | od -An -tx1 | tr -d ' \n')" >/dev/null || fail "clipboard"; }
menu_at() {  # the context menu at x y (its lines left in MENU), then the keys given after them
  local try=1
  # A click the busy display lost is made again.
  until xdo mousemove "$1" "$2" click 3 && MENU=$(probe menu 5000); do
    [ $((try++)) -lt 3 ] || fail "no menu at $1,$2"
  done
  [ $# -le 2 ] || xdo key "${@:3}"
}
# The menu at x y, shot as $3, must be only three items high (title, one command, その他).
expect_short_menu() {
  local l t r b
  menu_at "$1" "$2"
  e2e_shot "$3" 0.5
  IFS=, read -r l t r b <<<"$(echo "$MENU" | head -n1 | field rect)"
  [ $((b - t)) -lt 90 ] || fail "the menu is not three items high: $l,$t,$r,$b"
  xdo key Escape
  sleep 0.5
}
# Closes the program as the exit command does (or by the message $2 with wparam $3) and expects a clean exit
# within $1 s. Posted: Wine waits 2 s for each window it hides once a box was up.
e2e_close() {
  probe post "${2:-0x0010}" "${3:-0}" 0 >/dev/null || fail "post ${2:-WM_CLOSE}"
  expect_eq "$(e2e_wait_exit "$E2E_RUN" "${1:-30}" || echo "no exit")" 0 "exit code after ${2:-WM_CLOSE}"
}
# Steps on the open dialog in order, one an argument: a probe command ("tick 3121", "text 3111 0"), "@caption"
# waits for the dialog of that caption, "#name" takes a screenshot.
drive() {
  local a
  for a; do
    case $a in
      @*) wait_caption "${a#@}" ;;
      \#*) e2e_shot "${a#\#}" ;;
      *) probe $a >/dev/null || fail "probe $a" ;;
    esac
  done
}
# Waits for the open dialog's control $1 to be enabled ($2 = 1) or greyed (0).
wait_enabled() { wait_until "${3:-40}" "probe msgbox 2000 | grep -q '^control=$1 enabled=$2 '"; }
# The properties dialog of the spot x y of a note: right click, 詳細 (the item after the menu's title line).
open_properties() {
  menu_at "$1" "$2" Down Down Return
  wait_until 10 "probe dialog 2>/dev/null | grep -q '^control=1000 '" || fail "no properties dialog at $1,$2"
}
tab_count() { probe ctl 1000 0x1304 0 0 | field result; }  # of the open tabbed dialog (TCM_GETITEMCOUNT)
shown() { probe dialog | grep "^control=$1 " | grep -q 'visible=1'; }  # control $1 of the open dialog
# Clicks x y and presses the key $3 until $4 holds (else fails with $5): a key the busy display lost is sent
# again. Under Wine a hot key arrives only while a window of the program has the focus.
key_at() {
  local try
  for try in 1 2 3; do
    click "$1" "$2"
    xdo key "$3"
    wait_until 10 "$4" && return
  done
  fail "$5"
}
where() { probe where "$@" | sed -n 's/^x=\([0-9-]*\) y=\([0-9-]*\)$/\1 \2/p'; }  # of a list row: control row [column]
# Ticks the first detail of a note at 100,100 without a bar (a change in memory only), until it is painted.
tick_first() { local p; p=$(paints); click 129 145; wait_until 10 "[ \$(paints) -gt $p ]"; }
# Drops the files $2.. in the middle of the rectangle "l,t,r,b" $1.
drop_on() { IFS=, read -r l t r b <<<"$1" && probe drop $(((l + r) / 2)) $(((t + b) / 2)) "${@:2}" >/dev/null; }
