#!/usr/bin/env bash
# First run of the grid builder on synthetic data: installs what is missing,
# builds voxfill and make_sample in Release, makes a few days of measurements
# of four spacecraft, runs voxfill with Kp classes and IGRF subtraction on
# (answers from data/sample_answers.txt), and shows where the grids went.
#
# Settings (environment): BUILD_DIR (default build), RUN_DIR (default
# sample_run), SAMPLE_DAYS (default 3), JOBS (default: number of cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

abs() { case "$1" in /*) echo "$1" ;; *) echo "$root/$1" ;; esac; }
build=$(abs "${BUILD_DIR:-build}")
run=$(abs "${RUN_DIR:-sample_run}")
days=${SAMPLE_DAYS:-3}
jobs=${JOBS:-$(nproc)}
kp_file=Kp_2000-10-01_2025-08-31_D.dat
# Kp classes + IGRF subtraction: 45 grid files of 105,408,029 bytes.
grid_dir=grid_B_Kp_mIGRF
grid_bytes=4743361305

echo "== installing what is missing"
scripts/install_deps.sh

echo "== building voxfill and make_sample (Release) in $build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target voxfill make_sample -j "$jobs"
voxfill=$build/src/voxfill/voxfill
make_sample=$build/tools/make_sample

mkdir -p "$run/data"
cd "$run"
free_kb=$(df -Pk . | awk 'NR == 2 { print $4 }')
if [ "$free_kb" -lt $((grid_bytes / 1024 + 262144)) ]; then
  echo "*** $run has $((free_kb / 1024)) MB free; the run writes $((grid_bytes / 1000000)) MB of grids." >&2
  exit 1
fi

echo "== generating $days days of measurements of C1..C4 in $run/data"
"$make_sample" --start 2004-09-01 --days "$days" --out data > files.txt
sed 's/^/   /' files.txt
cp "$root/data/$kp_file" .

echo "== running voxfill (Kp classes: Yes, IGRF subtraction: Yes) in $run"
echo "   the grids of a run with Kp classes take 4.74 GB on disk (45 files of 105 MB);"
echo "   writing them takes most of the run. Screen output: $run/voxfill.log"
start=$(date +%s)
if ! cat "$root/data/sample_answers.txt" files.txt | "$voxfill" > voxfill.log 2>&1; then
  echo "*** voxfill failed; end of $run/voxfill.log:" >&2
  tail -n 20 voxfill.log >&2
  exit 1
fi
echo "   done in $(($(date +%s) - start)) s; totals and end of the run:"
grep -E 'nb (read files|all records|errors)|NORMAL TERMINATION' voxfill.log | sed 's/^/   /'

echo "== the grids ($run/$grid_dir)"
ls -l "$grid_dir" | head -n 8
echo "   ... $(ls "$grid_dir" | wc -l) files, $(du -sh "$grid_dir" | cut -f1) in all"

# Show a few filled cells of the first grid that has any; empty cells carry
# the value 1.0E30 ("0.10000E+31") four times and a count of 0.
for f in "$grid_dir"/*.dat; do
  filled=$(tail -n +2 "$f" | grep -v -m 5 -F '0.10000E+31' || true)
  if [ -n "$filled" ]; then
    echo "== $f: header (nx ny nz, values per cell), then the first filled cells"
    echo "   columns: mean Bx, By, Bz (nT, GSM), mean |B|, number of samples"
    head -n 1 "$f"
    echo "$filled"
    break
  fi
done
