#!/bin/sh
# Flies the demo scenario on the example data and checks that it gets through the whole task:
# the arrivals, "Task Ended", the stopwatch's run, the summary and the pictures.
#
#   demo_flight.sh KOLVEX_SIM EXAMPLES_FOLDER
set -u
sim=$1
examples=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kolvex-demo.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM
cp "$examples/KOL-VEX.dat" "$work"/ && cd "$work" || exit 1

# Frames of half a second: the navigation ticks still come every two seconds.
if ! "$sim" --frame-ms 500 --watch --render-every 120 frames "$examples/demo.scenario" \
  > out.txt 2> err.txt; then
  cat err.txt >&2
  exit 1
fi
for want in "Arrival! Kolvex Field" "Arrival! Alder Mill" "Arrival! Brook Farm" "Task Ended" \
  "Legs flown: 4" "Stopwatch: ran from" "|  |       [   <||    ]       |  |"; do
  if ! grep -qF -- "$want" out.txt; then
    echo "the demo's output lacks: $want" >&2
    tail -40 out.txt >&2
    exit 1
  fi
done
if [ ! -s face.png ] || [ ! -s frames/face-00001.png ]; then
  echo "the demo wrote no pictures" >&2
  exit 1
fi
