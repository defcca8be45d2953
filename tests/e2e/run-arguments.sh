#!/usr/bin/env bash
# What tools/run hands the program for what a newcomer types: every path in its
# Windows form, existing or not (a missing one becomes a row without a time),
# a folder without its trailing separator (a root keeps its own), options as
# they are until the first path or "--".
#   run-arguments.sh BUILD_DIR
# Without -e: a case that fails is reported and the others still run; the exit
# status says whether any failed.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../tools/wine-env" "$1"
work=$(mktemp -d /tmp/cg-run.XXXXXX)
trap 'rm -rf "$work"' EXIT
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
[ "$failed" -eq 0 ] && echo "PASS: tools/run's arguments"
exit "$failed"
