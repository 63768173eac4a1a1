#!/usr/bin/env bash
# The survey of nested folders against separate walks of the same folders, and first walks after
# boot (caches dropped) against du and gdu. The machine's disk and cores are shared, so every
# comparison runs in alternating pairs (A B, then B A, ...) and the medians are taken; the load
# average is recorded with every measurement.
#
#   bench/survey.sh [FOLDER] [RUNS]          FOLDER defaults to /tmp/tarnwick-bench, RUNS to 5
#   bench/survey.sh threads [FOLDER] [RUNS]  the walk with 1 to 16 threads, warm and cold
#
# Parts:
#   nested   HOME=FOLDER/profile (bench/make_trees.py), the rows of the profile's folders: one
#            "Get Data" against each row walked alone; wall time, ratio, directories listed
#   usr      the same for the rows that lie in /usr (Windows, System, Common Files, Fonts, ...)
#   cold     FOLDER/many after `echo 3 > /proc/sys/vm/drop_caches` before each run (root only):
#            tarnwick-cli size, du -sb, gdu
#   warm     FOLDER/many with warm caches: tarnwick-cli size, du -sb
source "$(dirname "$0")/../scripts/lib.sh"

MODE=survey
if [ "${1:-}" = threads ]; then
  MODE=threads
  shift
fi
ROOT=${1:-/tmp/tarnwick-bench}
RUNS=${2:-5}
ensure_packages "${BUILD_PACKAGES[@]}" gdu time python3 coreutils
cmake -S "$TOP" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target tarnwick-cli survey_bench >/dev/null
CLI=$BUILD/cli/tarnwick-cli
SURVEY=$BUILD/bench/survey_bench
python3 "$TOP/bench/make_trees.py" "$ROOT"

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT

load() { cut -d' ' -f1 /proc/loadavg; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
can_drop() { [ "$(id -u)" -eq 0 ] && [ -w /proc/sys/vm/drop_caches ]; }
drop_caches() { sync; echo 3 >/proc/sys/vm/drop_caches; }

# Runs a shell command once; prints its wall time and its processor time (user and system) in
# seconds. On a loaded machine the processor time shows what the wall time cannot: the work done.
wall() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f "%U %S" -o "$SCRATCH/cpu" sh -c "$1" >/dev/null 2>&1
  end=$(date +%s%N)
  awk -v ns=$((end - start)) -v cpu="$(tail -n 1 "$SCRATCH/cpu")" \
    'BEGIN { split(cpu, c, " "); printf "%.4f %.2f\n", ns / 1e9, c[1] + c[2] }'
}

# Pairs of survey_bench runs: "survey" and "separate" alternate which goes first.
nested() {  # title, environment, rows...
  local title=$1 environment=$2
  shift 2
  local rows=("$@") quoted="" row
  for row in "${rows[@]}"; do quoted+=" '$row'"; done
  echo
  echo "== $title"
  echo "rows:$quoted"
  printf '%-6s %6s %12s %12s %8s\n' round load "survey (s)" "separate (s)" ratio
  : >"$SCRATCH/survey"
  : >"$SCRATCH/separate"
  env $environment "$SURVEY" survey "${rows[@]}" >/dev/null  # warm-up
  env $environment "$SURVEY" separate "${rows[@]}" >/dev/null
  local round first second a b
  for ((round = 1; round <= RUNS; ++round)); do
    if ((round % 2)); then first=survey second=separate; else first=separate second=survey; fi
    local l
    l=$(load)
    a=$(env $environment "$SURVEY" $first "${rows[@]}")
    b=$(env $environment "$SURVEY" $second "${rows[@]}")
    echo "$a" >>"$SCRATCH/$first"
    echo "$b" >>"$SCRATCH/$second"
    local s p
    s=$(grep -h . "$SCRATCH/survey" | tail -n 1 | cut -d' ' -f1)
    p=$(grep -h . "$SCRATCH/separate" | tail -n 1 | cut -d' ' -f1)
    awk -v r="$round" -v l="$l" -v s="$s" -v p="$p" \
      'BEGIN { printf "%-6s %6s %12.3f %12.3f %8.2f\n", r, l, s, p, s / p }'
  done
  local ms mp
  ms=$(cut -d' ' -f1 "$SCRATCH/survey" | median)
  mp=$(cut -d' ' -f1 "$SCRATCH/separate" | median)
  awk -v s="$ms" -v p="$mp" 'BEGIN { printf "%-6s %6s %12.3f %12.3f %8.2f\n", "median", "", s, p, s / p }'
  ms=$(cut -d' ' -f4 "$SCRATCH/survey" | median)
  mp=$(cut -d' ' -f4 "$SCRATCH/separate" | median)
  awk -v s="$ms" -v p="$mp" 'BEGIN { printf "%-6s %6s %12.2f %12.2f %8.2f\n", "cpu s", "", s, p, s / p }'
  local survey_line separate_line
  survey_line=$(tail -n 1 "$SCRATCH/survey")
  separate_line=$(tail -n 1 "$SCRATCH/separate")
  echo "directories listed: survey $(cut -d' ' -f2 <<<"$survey_line") (each distinct one once)," \
    "separate walks $(cut -d' ' -f2 <<<"$separate_line");" \
    "total bytes: survey $(cut -d' ' -f3 <<<"$survey_line"), separate $(cut -d' ' -f3 <<<"$separate_line")"
}

# Rounds in which each command runs once, the order turning by one each round; with "cold" the
# caches are dropped before every run. Prints each round and the medians, with ratios to the
# first command.
compare() {  # title, cold|warm, name=command...
  local title=$1 temperature=$2
  shift 2
  local names=() commands=() pair
  for pair in "$@"; do
    names+=("${pair%%=*}")
    commands+=("${pair#*=}")
  done
  local n=${#names[@]} i
  echo
  echo "== $title"
  for ((i = 0; i < n; ++i)); do echo "${names[i]}: ${commands[i]}"; : >"$SCRATCH/t$i"; done
  printf '%-6s' round
  for ((i = 0; i < n; ++i)); do printf ' %6s %10s' load "${names[i]}"; done
  echo
  [ "$temperature" = warm ] && for ((i = 0; i < n; ++i)); do wall "${commands[i]}" >/dev/null; done
  local round k t l
  for ((round = 1; round <= RUNS; ++round)); do
    local line=""
    local times=()
    local loads=()
    for ((k = 0; k < n; ++k)); do
      i=$(((k + round - 1) % n))
      [ "$temperature" = cold ] && drop_caches
      l=$(load)
      t=$(wall "${commands[i]}")
      echo "$t" >>"$SCRATCH/t$i"
      times[i]=${t% *}
      loads[i]=$l
    done
    printf '%-6s' "$round"
    for ((i = 0; i < n; ++i)); do printf ' %6s %10.3f' "${loads[i]}" "${times[i]}"; done
    echo
  done
  local base base_cpu
  base=$(cut -d' ' -f1 "$SCRATCH/t0" | median)
  base_cpu=$(cut -d' ' -f2 "$SCRATCH/t0" | median)
  printf '%-6s' median
  for ((i = 0; i < n; ++i)); do printf ' %6s %10.3f' "" "$(cut -d' ' -f1 "$SCRATCH/t$i" | median)"; done
  echo
  printf '%-6s' ratio
  for ((i = 0; i < n; ++i)); do
    awk -v t="$(cut -d' ' -f1 "$SCRATCH/t$i" | median)" -v b="$base" \
      'BEGIN { printf " %6s %10.2f", "", t / b }'
  done
  echo
  printf '%-6s' "cpu s"
  for ((i = 0; i < n; ++i)); do printf ' %6s %10.2f' "" "$(cut -d' ' -f2 "$SCRATCH/t$i" | median)"; done
  echo
}

echo "machine: $(nproc) cores; load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "$MODE" = threads ]; then
  for tree in many flat; do
    list=()
    for t in 1 2 4 8 16; do list+=("t$t=$CLI size --bytes --threads $t $ROOT/$tree"); done
    compare "$ROOT/$tree, warm: tarnwick-cli size --threads N" warm "${list[@]}"
    can_drop && compare "$ROOT/$tree, cold: tarnwick-cli size --threads N" cold "${list[@]}"
  done
else
  nested "nested profile: HOME=$ROOT/profile" \
    "HOME=$ROOT/profile XDG_CONFIG_HOME= XDG_DATA_HOME= XDG_CACHE_HOME=" \
    Desktop Programs Personal Startup Recent "Start Menu" "Desktop Folder" "App Data" \
    Templates "Internet Cache" Profile
  nested "/usr nesting" "" "Common Files" "Program Files" Windows System Fonts \
    "Common Start Menu" "Common Programs"
  if can_drop; then
    compare "cold: $ROOT/many, caches dropped before each run" cold \
      "du=du -sb $ROOT/many" "tarnwick=$CLI size --bytes $ROOT/many" "gdu=gdu -n -s -a -p $ROOT/many"
  else
    echo
    echo "== cold: skipped (dropping the page cache needs root)"
  fi
  compare "warm: $ROOT/many" warm "du=du -sb $ROOT/many" "tarnwick=$CLI size --bytes $ROOT/many"
fi
echo
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
