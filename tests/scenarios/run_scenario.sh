#!/bin/sh
# Plays one scenario folder with kolvex-sim and checks what it printed.
#
#   run_scenario.sh [--windows] FOLDER COMMAND...
#
# FOLDER holds scenario.txt, the KOL-VEX.dat it uses and expected.txt, the exact standard
# output. Optional: status.txt (the expected exit status, 0 when absent), arguments.txt (options
# put before the scenario file) and stderr.txt (a text the error output must contain).
# COMMAND runs kolvex-sim (for the Windows build: the Wine runner and the .exe). The folder is
# copied to a fresh temporary folder first, where the program runs and writes its files.
#
# With --windows the companion files carry the Windows text-mode line ends; their escaped \r\n
# is read as \n on the `files` lines, and only there.
set -u

windows=no
if [ "${1:-}" = "--windows" ]; then
  windows=yes
  shift
fi
if [ $# -lt 2 ]; then
  echo "usage: run_scenario.sh [--windows] FOLDER COMMAND..." >&2
  exit 2
fi
folder=$1
shift

work=$(mktemp -d "${TMPDIR:-/tmp}/kolvex-scenario.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM
cp -R "$folder"/. "$work"/ || exit 1
cd "$work" || exit 1

expected_status=0
if [ -f status.txt ]; then
  expected_status=$(tr -d ' \r\n' < status.txt)
fi
arguments=
if [ -f arguments.txt ]; then
  arguments=$(cat arguments.txt)
fi

# shellcheck disable=SC2086 # the options in arguments.txt are separate words
"$@" $arguments scenario.txt > stdout.raw 2> stderr.txt.actual
status=$?

if [ $windows = yes ]; then
  sed '/^KOLVEX\.\(MAX\|TGT\)=/ s/\\r\\n/\\n/g' stdout.raw > stdout.txt
else
  cp stdout.raw stdout.txt
fi

failed=no
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status" >&2
  failed=yes
fi
if ! cmp -s expected.txt stdout.txt; then
  echo "standard output differs from expected.txt:" >&2
  diff -u expected.txt stdout.txt >&2
  failed=yes
fi
if [ -f stderr.txt ] && ! grep -qF -- "$(cat stderr.txt)" stderr.txt.actual; then
  echo "error output lacks: $(cat stderr.txt)" >&2
  failed=yes
fi
if [ $failed = yes ]; then
  echo "--- error output:" >&2
  cat stderr.txt.actual >&2
  exit 1
fi
exit 0
