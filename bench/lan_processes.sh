#!/bin/sh
# Wall time of whole three-copy network games between real processes
# (offscreen, --autoplay --fast: no flights, no waits), over loopback, each
# copy in a fresh data folder. Prints one time per game and the median.
# Usage: bench/lan_processes.sh [path/to/tarvel] [games]
set -eu
program=${1:-build/bin/tarvel}
games=${2:-5}
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
times=""
i=0
while [ "$i" -lt "$games" ]; do
  i=$((i + 1))
  mkdir -p "$work/$i/h" "$work/$i/a" "$work/$i/b"
  start=$(date +%s%N)
  "$program" --data-dir "$work/$i/h" --autoplay --fast --quit-after-game --lan-host 0 >"$work/$i/h.out" 2>/dev/null &
  host=$!
  while ! grep -q 'listening on port' "$work/$i/h.out" 2>/dev/null; do sleep 0.01; done
  port=$(sed -n 's/^listening on port //p' "$work/$i/h.out")
  "$program" --data-dir "$work/$i/a" --autoplay --fast --quit-after-game --lan-join "127.0.0.1:$port" >/dev/null 2>&1 &
  first=$!
  "$program" --data-dir "$work/$i/b" --autoplay --fast --quit-after-game --lan-join "127.0.0.1:$port" >/dev/null 2>&1
  wait "$first" "$host"
  ms=$((($(date +%s%N) - start) / 1000000))
  echo "game $i: $ms ms ($(grep '^results' "$work/$i/h.out"))"
  times="$times $ms"
done
echo "$times" | tr ' ' '\n' | sed '/^$/d' | sort -n | awk '{a[NR]=$1} END {print "median: " a[int((NR+1)/2)] " ms over " NR " games"}'
