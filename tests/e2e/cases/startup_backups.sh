#!/usr/bin/env bash
# The start with 50 full notes, from the start to all notes shown, with the
# start-up backup on (a full backup: none there yet) and off ("Backup=0"),
# alternating, three runs each; prints the medians and their ratio.
source "$(dirname "$0")/../lib.sh"
e2e_init startup_backups "$1" "$2"
make_notes=$3
now_ms() { date +%s%3N; }
(cd "$E2E_CASE" && timeout 60 "$WINE" "$make_notes" data 7 0 >/dev/null 2>&1)
[ -f "$d/Varnel49.dat" ] || fail "no notes written"

# One start with "Backup" $1; prints the milliseconds to all 50 notes shown.
start_ms() {
  printf '[Default]\nList=%s\nBackup=%d\n' "$(printf '1%.0s' $(seq 1 50))" "$1" | crlf "$d/Varnel.ini"
  rm -rf "$d/backup"
  local t0 i
  t0=$(now_ms)
  e2e_start >&2
  e2e_wait_main 60 >&2
  for i in $(seq 1 300); do
    [ "$(probe notes | grep -c 'visible=1')" -ge 50 ] && break
    sleep 0.1
  done
  echo $(($(now_ms) - t0))
  [ "$(ls "$d/backup" 2>/dev/null | grep -c '^[0-9]')" = "$1" ] || fail "Backup=$1 made the wrong number of backups"
  e2e_close >&2
}
median() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
on=() off=()
for round in 1 2 3; do
  on+=("$(start_ms 1)")
  off+=("$(start_ms 0)")
done
m_on=$(median "${on[@]}") m_off=$(median "${off[@]}")
line="startup backup ratio: 50 notes shown in ${m_on} ms with the backup, ${m_off} ms without, $(echo "scale=2; $m_on / $m_off" | bc)x (goal 1.1x; runs on: ${on[*]}, off: ${off[*]})"
echo "$line"
echo "$line" >"$VARNEL_E2E_DIR/startup_backups.txt"
