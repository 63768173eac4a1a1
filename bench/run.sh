#!/usr/bin/env bash
# Compares tarnwick-cli's walk with du -sb, a find sum and gdu on the synthetic trees of
# bench/make_trees.py, in one run: a warm-up, then RUNS rounds in which every tool runs once in
# turn (so that a change of load on the machine hits them all alike), and the median of the rounds.
#
#   bench/run.sh [FOLDER] [RUNS]      FOLDER defaults to /tmp/tarnwick-bench, RUNS to 5
#
# With TREES="/usr /usr/share" those directories are measured instead of the synthetic trees.
# With OTHER_CLI=/path/to/another/tarnwick-cli its walk runs too (rows "other", "other-1"), so that
# two builds compare in one run.
#
# Prints per tree and tool the median wall time, the largest peak resident size, and the ratio of
# the wall time to du -sb's.
source "$(dirname "$0")/../scripts/lib.sh"

ROOT=${1:-/tmp/tarnwick-bench}
RUNS=${2:-5}
BENCH_PACKAGES=(gdu time python3 findutils coreutils)
ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
cmake -S "$TOP" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target tarnwick-cli >/dev/null
CLI=$BUILD/cli/tarnwick-cli

if [ -z "${TREES:-}" ]; then
  python3 "$TOP/bench/make_trees.py" "$ROOT"
  TREES="$ROOT/many $ROOT/flat"
fi

TOOLS=(tarnwick tarnwick-1 du find gdu)
[ -n "${OTHER_CLI:-}" ] && TOOLS+=(other other-1)
command_of() {  # tool, tree
  case $1 in
    tarnwick) echo "$CLI size --bytes '$2'" ;;
    tarnwick-1) echo "$CLI size --bytes --threads 1 '$2'" ;;
    du) echo "du -sb '$2'" ;;
    find) echo "find '$2' ! -type d -printf '%s\n' | awk '{ s += \$1 } END { printf \"%.0f\\n\", s }'" ;;
    gdu) echo "gdu -n -s -a -p '$2'" ;;
    other) echo "$OTHER_CLI size --bytes '$2'" ;;
    other-1) echo "$OTHER_CLI size --bytes --threads 1 '$2'" ;;
  esac
}

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT

# Runs one tool once; appends "seconds kilobytes" to its record, its output to its answer file.
measure() {  # tool, tree, record
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$SCRATCH/rss" sh -c "$(command_of "$1" "$2")" >"$SCRATCH/$1.out"
  end=$(date +%s%N)
  echo "$(((end - start) / 1000)) $(tail -n 1 "$SCRATCH/rss")" >>"$3"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "machine: $(nproc) cores, load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
n=0
for dir in $TREES; do
  tree=tree$((n += 1))  # the name of its records
  for tool in "${TOOLS[@]}"; do : >"$SCRATCH/$tree.$tool"; done
  for tool in "${TOOLS[@]}"; do measure "$tool" "$dir" /dev/null; done  # warm-up
  for ((round = 0; round < RUNS; ++round)); do
    for tool in "${TOOLS[@]}"; do measure "$tool" "$dir" "$SCRATCH/$tree.$tool"; done
  done
  walked=$(cut -f1 "$SCRATCH/tarnwick.out")
  found=$(cat "$SCRATCH/find.out")
  [ "$walked" = "$found" ] || echo "MISMATCH on $dir: tarnwick-cli $walked, find $found"
  du_time=$(cut -d' ' -f1 "$SCRATCH/$tree.du" | median)
  echo
  echo "$dir: tarnwick-cli and find sum $walked bytes, du -sb $(cut -f1 "$SCRATCH/du.out")"
  printf '%-12s %10s %10s %8s\n' tool "wall (s)" "peak MiB" "x du -sb"
  for tool in "${TOOLS[@]}"; do
    t=$(cut -d' ' -f1 "$SCRATCH/$tree.$tool" | median)
    rss=$(cut -d' ' -f2 "$SCRATCH/$tree.$tool" | sort -n | tail -n 1)
    awk -v tool="$tool" -v t="$t" -v rss="$rss" -v du="$du_time" \
      'BEGIN { printf "%-12s %10.3f %10.1f %8.2f\n", tool, t / 1e6, rss / 1024, t / du }'
  done
done
echo
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
