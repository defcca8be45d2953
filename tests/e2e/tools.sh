#!/usr/bin/env bash
# The scripts of tools/ as a newcomer runs them. First what tools/run hands the
# program: every path in its Windows form, existing or not (a missing one
# becomes a row without a time), a folder without its trailing separator (a
# root keeps its own), options as they are until the first path or "--". Then
# tools/run, tools/screenshot and the session of tools/test and tools/bench
# (wine-session, wine-exec) on a desktop (this test's own Xvfb) and without
# DISPLAY, where they start an Xvfb and must stop it again; all in one Wine
# session, made afresh here and removed at the end.
#   tools.sh BUILD_DIR
# Without -e: a failing case is reported and the others still run.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tools=$(cd "$here/../../tools" && pwd)
. "$tools/wine-env" "$1"
build=$wine_build_dir
export BUILD_DIR=$build WINE_SESSION=e2e-tools
state=$build/wine-display-$WINE_SESSION
end_session() { "$tools/wine-session" stop "$build"; rm -rf "$build/wineprefix-$WINE_SESSION"; }
end_session
work=$(mktemp -d /tmp/cg-run.XXXXXX)
trap 'end_session; rm -rf "$work"; [ -z "${desktop_pid:-}" ] || { kill "$desktop_pid"; wait "$desktop_pid"; }' EXIT
mkdir "$work/dir with space"
w=$("$WINE" winepath -w "$work" | tr -d '\r')
failed=0
expect() {
  local want=$1 got
  shift
  windows_arguments "$work" "$@"
  got=$(printf '%s|' "${program_arguments[@]}")
  [ "$got" = "$want" ] || { echo "FAIL: $* gave $got, expected $want" >&2; failed=1; }
}
expect 'Z:\tmp\typo-chronoguard.txt|' /tmp/typo-chronoguard.txt
expect "-r|$w\\dir with space|" -r "$work/dir with space/"
expect "$w\\dir with space|$w\\missing.txt|" "dir with space//" missing.txt
expect '/CR|Z:\|' /CR /
expect "-r|/CR|$w\\notes.txt|$w\\-r|" -r /CR notes.txt -r
expect "--|$w\\-cc|C:\\x|" -- -cc 'C:\x'

fail() { echo "FAIL: $* (DISPLAY ${display:-unset})" >&2; failed=1; }
on_display() { if [ -n "$display" ]; then DISPLAY=$display "$@"; else env -u DISPLAY "$@"; fi; }
runs() { on_display "$@" >"$work/out" 2>&1 || fail "$* exited $?: $(cat "$work/out")"; }
# Runs a command that opens the program's window, then ends the program by
# ending its Wine server (keys may miss a window on a display without a window
# manager) and waits for the command to end.
opens_window() {
  local pid window= on=
  on_display "$@" >"$work/out" 2>&1 &
  pid=$!
  for _ in $(seq 1 600); do
    on=${display:-$(cut -d' ' -f1 "$state" 2>/dev/null)}
    [ -n "$on" ] && window=$(DISPLAY=$on xdotool search --name "$WINDOW_TITLE_PATTERN" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  WINEPREFIX=$build/wineprefix-$WINE_SESSION wineserver -k 2>/dev/null
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null && fail "$* still ran 10 s after its program ended"
  wait "$pid"
  local status=$?
  [ -n "$window" ] || fail "$* showed no window and exited $status; it said: $(cat "$work/out")"
}
# Whether the script stopped the Xvfb it started; then ends what is left.
stopped() { [ ! -f "$state" ] || fail "$1 left its Xvfb running"; "$tools/wine-session" stop "$build"; }

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/desktop" 2>/dev/null & desktop_pid=$!
for _ in $(seq 1 100); do [ -s "$work/desktop" ] && break; sleep 0.1; done
for display in ":$(cat "$work/desktop")" ""; do
  opens_window "$tools/run" "$work"; stopped tools/run
  runs "$tools/screenshot" "$work/shot.png"; stopped tools/screenshot
  runs "$tools/wine-session" start "$build"; opens_window "$tools/wine-exec" "$build/chronoguard.exe"
  runs "$tools/wine-session" stop "$build"; stopped tools/wine-session
done
[ "$failed" -eq 0 ] && echo "PASS: tools/ scripts with and without DISPLAY"
exit "$failed"
