#!/usr/bin/env bash
# Weeks of a resident program, shortened: ten simulated hours (the clock 60 times fast) with 50 full notes, a
# display window on five and 50 alarms answered as they ring. The program answers within a second throughout,
# and its memory, handles and window objects end within a few percent of the first hour's.
source "$(dirname "$0")/../lib.sh"
e2e_init soak "$1" "$2"
make_notes=$3
full_notes "$make_notes" 0
ini "List=$LIST50\nSTimer=1\nAlarm=2\nSnooze=600"
for i in $(seq 0 49); do
  f=$(printf '%s/Varnel%02d.dat' "$d" "$i")
  m=$((5 + 12 * i))
  # Note i's first detail: a weekly alarm (every weekday) at 00:05 + 12 min * i.
  sed -i "0,/^1S=/s/^1S=.*\r\$/1S=000C000C0000000000000000$(printf '%02d%02d00' $((m / 60)) $((m % 60)))80007f\r/" "$f"
  # Notes 0..4: shown only in a two-hour window, each starting an hour later.
  [ "$i" -lt 5 ] && sed -i "0,/^V=/s/^V=.*\r\$/V=1\r\nSDT4=$(((60 + 60 * i) * 10000 + 180 + 60 * i)),007f\r/" "$f"
done
grep -c '80007f' "$d"/Varnel*.dat | grep -c ':1$' | grep -qx 50 || fail "alarms not written into every note"
# Wine needs the real monotonic clock (its waits end at once otherwise); timers keep real time.
FAKETIME_DONT_FAKE_MONOTONIC=1 E2E_CLOCK="@2026-03-03 00:00:00 x60" E2E_LIFETIME=900 e2e_start
e2e_wait_main 60
main=$(probe find | field hwnd)
wait_until 120 '[ $(visible_notes) -ge 45 ]' || fail "the notes did not open"
start=$SECONDS rings=0 slowest=0 base="" missed=0
while [ $((SECONDS - start)) -lt 610 ]; do
  out=$(probe send 0 0 0 "$main")
  ms=$(echo "$out" | field elapsed_ms)
  if [ -n "$ms" ]; then
    [ "$ms" -gt "$slowest" ] && slowest=$ms
  elif echo "$out" | grep -q 'SendMessageTimeout'; then
    missed=$((missed + 1)) && e2e_log "no answer: $out"
  else
    e2e_log "the probe did not run: $out"  # the machine, not the program
  fi
  if probe msgbox 300 | grep -q '^control=1013 '; then
    probe click 1013 >/dev/null
    probe click 11 >/dev/null && rings=$((rings + 1))
  fi
  if [ -z "$base" ] && [ $((SECONDS - start)) -ge 60 ]; then
    base=$(probe memory) && e2e_log "after one simulated hour: $base"
  fi
done
e2e_shot end
end=$(probe memory) || fail "no memory figures at the end"
echo "SOAK: $rings alarms answered, slowest answer ${slowest} ms, $missed unanswered; first hour: $base; end: $end" |
  tee "$VARNEL_E2E_DIR/soak.txt"
e2e_close
[ "$missed" -eq 0 ] && [ "$slowest" -le 1000 ] || fail "the program did not answer within a second"
# A due minute lasts one real second: a ring between two looks can pass unseen. Most must ring.
[ "$rings" -ge 45 ] || fail "only $rings of 50 alarms rang"
# Within a few percent: 5 % plus a little room for what Wine itself allocates.
for g in WORKING_SET_KB:1024 PRIVATE_KB:1024 HANDLES:5 GDI:5 USER:5; do
  a=$(echo "$base" | field "${g%:*}") b=$(echo "$end" | field "${g%:*}")
  [ "$b" -le $((a + a / 20 + ${g#*:})) ] || fail "${g%:*} grew from $a to $b"
done
