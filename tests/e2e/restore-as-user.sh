#!/usr/bin/env bash
# As a user would: start the program with -r and a folder, let another tool
# change the files' times, press Enter in the window, then Esc. Every file's
# last-write time must be back whole and the exit code must be 1.
#   restore-as-user.sh PATH/TO/chronoguard.exe
# Without -e: the polls fail until the window appears or the program ends, and
# the program's own exit status (1) is read by wait; each real failure goes
# through fail, which names it.
set -u
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(dirname "$exe")
while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done
. "$here/../../tools/wine-env" "$build"

work=$(mktemp -d /tmp/cg-e2e.XXXXXX)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

tree="$work/写真 tree"
mkdir -p "$tree/sub/deeper"
files=("$tree/a.txt" "$tree/日本語.txt" "$tree/sub/b.txt" "$tree/sub/deeper/c.txt")
i=0
for f in "${files[@]}"; do
  echo "$i" >"$f"
  touch -d "2021-03-04 05:06:07.$((123 + i))456789" "$f"
  i=$((i + 1))
done
touch -d "2020-01-02 03:04:05.678999" "$tree/sub" "$tree/sub/deeper" "$tree"
# What restore must bring back: the whole captured time, to the 100 ns a
# Windows file time keeps.
expected() { stat -c %y "$1" | sed -E 's/\.([0-9]{7})[0-9]*/.\100/'; }
declare -A want
for f in "${files[@]}" "$tree/sub" "$tree/sub/deeper" "$tree"; do want[$f]=$(expected "$f"); done

"$WINE" "$exe" -r "Z:${tree//\//\\}" >/dev/null 2>&1 &
pid=$!
window=
for _ in $(seq 1 200); do
  window=$(xdotool search --name "$WINDOW_TITLE_PATTERN" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "the main window did not appear"
sleep 1

# Another tool touches the files.
for f in "${files[@]}" "$tree/sub" "$tree/sub/deeper" "$tree"; do touch -d "2030-01-01 00:00:00" "$f"; done

xdotool windowfocus --sync "$window" key Return
restored=
for _ in $(seq 1 100); do
  restored=yes
  for f in "${!want[@]}"; do
    [ "$(stat -c %y "$f")" = "${want[$f]}" ] || { restored=; break; }
  done
  [ -n "$restored" ] && break
  sleep 0.1
done
for f in "${!want[@]}"; do
  got=$(stat -c %y "$f")
  [ "$got" = "${want[$f]}" ] || fail "$f: last-write time $got, expected ${want[$f]}"
done

xdotool windowfocus --sync "$window" key Escape
status=
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
wait "$pid"
status=$?
pid=
[ "$status" -eq 1 ] || fail "exit code $status, expected 1"
echo "PASS: ${#want[@]} times restored, exit code 1"
