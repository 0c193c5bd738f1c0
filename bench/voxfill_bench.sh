#!/usr/bin/env bash
# Throughput of voxfill on synthetic data: records per second for the four
# option combinations (Kp classes off/on x IGRF subtraction off/on), the output
# stage timed apart and set against dd writing the same bytes into the same
# directory, and the peak memory of each run.
#
# Usage: bench/voxfill_bench.sh [WORK_DIR]
#   WORK_DIR    default $BUILD_DIR/voxfill_bench. Holds the data (about 0.6 GB
#               for 5 million records, made once and kept) and the grids of one
#               run at a time (up to 4.8 GB, removed after each combination).
# Environment: BUILD_DIR (default build), RECORDS (default 5000000),
#              REPEATS (default 3), JOBS (build jobs, default: number of cores).
#
# Method, for each combination:
#   full  voxfill over all the records;
#   one   voxfill over a single record: the same set-up, Kp table load and
#         grid files (the output stage writes every cell, full or empty);
#   zero  voxfill with the two answers only: set-up and Kp table, no grid file.
#   records/s = records counted by voxfill / (full - one)
#   output    = one - zero (the output stage with its formatting)
#   dd        = dd from /dev/zero writing files of the same sizes into the same
#               directory; out/dd = output / dd.
#   peak      = maximum resident set size of the full run (/usr/bin/time -v).
# Every timed step starts after a sync, so that no earlier dirty page is
# flushed on its time, and is repeated REPEATS times; the table keeps the
# shortest time of each (writes into the page cache vary from run to run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

abs() { case "$1" in /*) echo "$1" ;; *) echo "$root/$1" ;; esac; }
build=$(abs "${BUILD_DIR:-build}")
work=${1:-$build/voxfill_bench}
records=${RECORDS:-5000000}
repeats=${REPEATS:-3}
jobs=${JOBS:-$(nproc)}
per_day=$((4 * 21600))                      # four spacecraft, one record every 4 s
days=$(((records + per_day - 1) / per_day))
kp_file=Kp_2000-10-01_2025-08-31_D.dat

"$root/scripts/install_deps.sh" time
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
if ! grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt"; then
  echo "warning: $build is not a Release build; the figures will not mean much" >&2
fi
cmake --build "$build" --target voxfill make_sample -j "$jobs" >/dev/null
voxfill=$build/src/voxfill/voxfill
make_sample=$build/tools/make_sample

mkdir -p "$work"
cd "$work"
now() { date +%s.%N; }
minus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a - b }'; }

# --- data, made once per record count -------------------------------------
params="start=2004-09-01 days=$days records=$records seed=1"
mkdir -p data
if [ "$(cat data/params 2>/dev/null)" != "$params" ]; then
  rm -f data/*.txt data/params
  echo "generating $records records ($days days x 4 spacecraft) in $work/data"
  t0=$(now)
  "$make_sample" --start 2004-09-01 --days "$days" --records "$records" --seed 1 --out data \
    > data/files.lst
  t1=$(now)
  echo "$params" > data/params
  awk -v n="$records" -v s="$(minus "$t1" "$t0")" \
    'BEGIN { printf "make_sample: %.1f s, %.0f records/s\n", s, n / s }'
fi
# One record well inside both cubes, so that it reaches the tilt-class step
# and every grid file gets written.
mkdir -p one
awk '{ x = substr($0, 68, 14) + 0; y = substr($0, 82, 14) + 0; z = substr($0, 96, 14) + 0
       r = sqrt(x * x + y * y + z * z) / 6371.2
       if (r > 3 && r < 15) { print; exit } }' "$(head -n 1 data/files.lst)" > one/one.txt
echo one/one.txt > one.lst
: > zero.lst
cp "$root/data/$kp_file" .

# --- runs ------------------------------------------------------------------
# run ANSWER_KP ANSWER_IGRF LIST LOG: sets elapsed (s, shortest of the
# repeats) and peak_kb (largest); removes the grid files of DIR after each.
run() {
  local t0 t1 e k
  elapsed=""
  peak_kb=0
  for ((k = 0; k < repeats; k++)); do
    sync
    t0=$(now)
    { printf '%s\n%s\n' "$1" "$2"; cat "$3"; } |
      /usr/bin/time -v -o time.txt "$voxfill" > "$4" 2>&1
    t1=$(now)
    if ! grep -q 'NORMAL TERMINATION' "$4"; then
      echo "*** voxfill did not end normally; see $work/$4" >&2
      exit 1
    fi
    e=$(minus "$t1" "$t0")
    elapsed=$(awk -v a="$e" -v b="${elapsed:-$e}" 'BEGIN { print (a < b ? a : b) }')
    peak_kb=$(awk -v a="$peak_kb" '/Maximum resident set size/ { b = $NF } END { print (a > b ? a : b) }' time.txt)
    sizes=$(stat -c %s "$dir"/*.dat 2>/dev/null || true)
    rm -f "$dir"/*
  done
}

# write_like_dd: sets dd_s, the shortest time of dd writing files of $sizes.
write_like_dd() {
  local t0 t1 e i k s
  dd_s=""
  for ((k = 0; k < repeats; k++)); do
    sync
    t0=$(now)
    i=0
    for s in $sizes; do
      i=$((i + 1))
      dd if=/dev/zero of="$dir/dd_$i" bs=1M count="$s" iflag=count_bytes status=none
    done
    t1=$(now)
    e=$(minus "$t1" "$t0")
    dd_s=$(awk -v a="$e" -v b="${dd_s:-$e}" 'BEGIN { print (a < b ? a : b) }')
    rm -f "$dir"/*
  done
}

table=results.txt
header=$(printf '%-3s %-4s %9s %8s %8s %8s %10s %8s %8s %6s %8s %8s' \
  Kp IGRF records full_s one_s zero_s records/s output_s dd_s out/dd grid_MB peak_MB)
rows=()
for kp in No Yes; do
  for igrf in No Yes; do
    dir=grid_B
    [ "$kp" = Yes ] && dir=${dir}_Kp
    [ "$igrf" = Yes ] && dir=${dir}_mIGRF
    mkdir -p "$dir"
    rm -f "$dir"/*
    echo "Kp classes $kp, IGRF subtraction $igrf ($dir)"

    run "$kp" "$igrf" zero.lst "zero_$dir.log"
    zero_s=$elapsed
    run "$kp" "$igrf" one.lst "one_$dir.log"
    one_s=$elapsed
    grid_bytes=$(echo "$sizes" | awk '{ s += $1 } END { print s }')
    run "$kp" "$igrf" data/files.lst "full_$dir.log"
    full_s=$elapsed
    full_peak_kb=$peak_kb
    counted=$(awk '/nb all records=/ { print $NF }' "full_$dir.log")
    write_like_dd

    rows+=("$(awk -v kp="$kp" -v ig="$igrf" -v n="$counted" -v full="$full_s" -v one="$one_s" \
      -v zero="$zero_s" -v dd="$dd_s" -v gb="$grid_bytes" -v pk="$full_peak_kb" 'BEGIN {
        out = one - zero
        printf "%-3s %-4s %9d %8.2f %8.2f %8.2f %10.0f %8.2f %8.2f %6.2f %8.0f %8.0f",
          kp, ig, n, full, one, zero, (full > one ? n / (full - one) : 0), out, dd,
          (dd > 0 ? out / dd : 0), gb / 1e6, pk / 1024 }')")
    echo "  ${rows[-1]}"
  done
done

{
  echo "voxfill: $records synthetic records, $(nproc) cores, best of $repeats runs, $(date -u +%Y-%m-%dT%H:%MZ)"
  echo "$header"
  printf '%s\n' "${rows[@]}"
} | tee "$table"
echo "(table in $work/$table; logs of each run beside it)"
