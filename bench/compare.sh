#!/usr/bin/env bash
# Whole-process comparisons on generated files: `pcn874 inspect` against `wc -l`, `pcn874
# check` of four large files against `wc -l` of them, `pcn874 merge` of the four and of 5,000
# small ones against `cat` of the same files into one file in the same directory, each
# repeated; prints the minimum and median times, their ratios and the peak memory of the
# tool on a 1 GB input, on a file without records and on the four-file merge.
#   bench/compare.sh BUILD_DIR [REPETITIONS]
# The files are generated once and kept under BUILD_DIR/bench-data. Outputs go to a memory
# file system (BENCH_OUT, default /dev/shm), so that the disk's write-back does not blur the
# figures.
set -euo pipefail

build=${1:?usage: compare.sh BUILD_DIR [REPETITIONS]}
reps=${2:-7}
tool=$build/src/cli/pcn874
generate=$build/tools/generate_pcn874
measure=$build/bench/measure_process
data=$build/bench-data
records=1000000
big_bytes=1000000000
for program in "$tool" "$generate" "$measure"; do
  [[ -x $program ]] || { echo "compare.sh: $program is missing; build first" >&2; exit 1; }
done
mkdir -p "$data"

# The generator is deterministic: a file is made again only when its options change.
generated() {  # NAME OPTIONS...
  local name=$1
  shift
  local stamp="$data/$name.options"
  if [[ -f $data/$name && -f $stamp && "$(cat "$stamp")" == "$*" ]]; then return; fi
  echo "generating $name ($*)" >&2
  "$generate" "$@" --out "$data/$name.partial"
  mv "$data/$name.partial" "$data/$name"
  echo "$*" >"$stamp"
}
for i in 1 2 3 4; do generated "src$i.txt" --seed "$i" --records "$records"; done
generated big.txt --seed 99 --bytes "$big_bytes"
# An opening record, ten million lines of no record type, a closing record: no detail record.
if [[ ! -f $data/norecords.txt ]]; then
  echo "generating norecords.txt" >&2
  { head -n 1 "$data/src1.txt"; yes $'o123456782\r' | head -n 10000000; tail -n 1 "$data/src1.txt"; } \
    >"$data/norecords.partial"
  mv "$data/norecords.partial" "$data/norecords.txt"
fi
sources=("$data/src1.txt" "$data/src2.txt" "$data/src3.txt" "$data/src4.txt")
# Many small files, as a representative's month of many dealers' reports may be.
small_count=5000
mkdir -p "$data/small"
if [[ ! -f $data/small/done.$small_count ]]; then
  echo "generating $small_count small files" >&2
  for ((i = 1; i <= small_count; i++)); do
    "$generate" --seed "$((1000 + i))" --records 20 --out "$data/small/s$i.txt"
  done
  touch "$data/small/done.$small_count"
fi
small=("$data"/small/s*.txt)
out_root=${BENCH_OUT:-/dev/shm}
if [[ ! -d $out_root || ! -w $out_root ]]; then
  echo "compare.sh: $out_root is not a writable directory; outputs go to $data" >&2
  out_root=$data
fi
out=$(mktemp -d "$out_root/pcn874-bench.XXXXXX")
trap 'rm -rf "$out"' EXIT
merged="$out/Pcn874-03-2024.txt"
concatenated="$out/cat-output.txt"
load_before=$(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo '?')

# One measured run: sets seconds, kb and cpu; fails loudly when the command fails.
run() {
  local figures code
  figures=$("$measure" "$@")
  read -r seconds kb code cpu <<<"$figures"
  if [[ $code != 0 ]]; then
    echo "compare.sh: failed with status $code: ${*: -1}" >&2
    exit 1
  fi
}

# The same, where the command may also exit with the status given.
run_allowing() {
  local allowed=$1 figures code
  shift
  figures=$("$measure" --stdout /dev/null "$@")
  read -r seconds kb code cpu <<<"$figures"
  if [[ $code != 0 && $code != "$allowed" ]]; then
    echo "compare.sh: failed with status $code: ${*: -1}" >&2
    exit 1
  fi
}

# Statistics of a list of seconds: "min median".
stats() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {
  m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.4f %.4f", v[1], m }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Warm the page cache once, so every run reads the same cached files.
cat "${sources[@]}" "$data/big.txt" >/dev/null

wc_times=() inspect_times=() cat_times=() merge_times=() durable_times=() merge_kb=0
wc4_times=() check_times=() check_kb=0
small_cat_times=() small_merge_times=() wc_cpu=() inspect_cpu=() cat_cpu=() merge_cpu=()
for ((r = 0; r < reps; r++)); do
  run wc -l "${sources[0]}"; wc_times+=("$seconds"); wc_cpu+=("$cpu")
  run "$tool" inspect "${sources[0]}"; inspect_times+=("$seconds"); inspect_cpu+=("$cpu")
  run wc -l "${sources[@]}"; wc4_times+=("$seconds")
  # check exits 3 on findings, which the generated files have (records cut short).
  run_allowing 3 "$tool" check "${sources[@]}"; check_times+=("$seconds")
  ((kb > check_kb)) && check_kb=$kb

  # Both writers start from an empty directory slot and a quiet disk, so that neither pays
  # for the other's write-back.
  rm -f "$concatenated" "$merged"; sync
  run --stdout "$concatenated" cat "${sources[@]}"; cat_times+=("$seconds"); cat_cpu+=("$cpu")
  rm -f "$concatenated"; sync
  run "$tool" merge --out "$out" --date 20240415 "${sources[@]}"
  merge_times+=("$seconds"); merge_cpu+=("$cpu")
  ((kb > merge_kb)) && merge_kb=$kb
  rm -f "$merged"; sync
  run --stdout "$concatenated" cat "${small[@]}"; small_cat_times+=("$seconds")
  rm -f "$concatenated"; sync
  run "$tool" merge --representative --number 18 --out "$out" --date 20240415 "${small[@]}"
  small_merge_times+=("$seconds")
  # The merge makes its file reach the disk before giving it its name; so does this cat.
  rm -f "$merged"; sync
  run sh -c 'cat "$@" >"$0" && sync "$0"' "$concatenated" "${sources[@]}"
  durable_times+=("$seconds")
  rm -f "$concatenated"; sync
done
run "$tool" inspect "$data/big.txt"; big_seconds=$seconds big_kb=$kb
run_allowing 3 "$tool" check "$data/norecords.txt"; empty_kb=$kb
run wc -l "$data/big.txt"; big_wc_seconds=$seconds

read -r wc_min wc_med <<<"$(stats "${wc_times[@]}")"
read -r in_min in_med <<<"$(stats "${inspect_times[@]}")"
read -r w4_min w4_med <<<"$(stats "${wc4_times[@]}")"
read -r ck_min ck_med <<<"$(stats "${check_times[@]}")"
read -r cat_min cat_med <<<"$(stats "${cat_times[@]}")"
read -r mg_min mg_med <<<"$(stats "${merge_times[@]}")"
read -r dc_min dc_med <<<"$(stats "${durable_times[@]}")"
read -r sc_min sc_med <<<"$(stats "${small_cat_times[@]}")"
read -r sm_min sm_med <<<"$(stats "${small_merge_times[@]}")"
read -r _ wc_cpu_med <<<"$(stats "${wc_cpu[@]}")"
read -r _ in_cpu_med <<<"$(stats "${inspect_cpu[@]}")"
read -r _ cat_cpu_med <<<"$(stats "${cat_cpu[@]}")"
read -r _ mg_cpu_med <<<"$(stats "${merge_cpu[@]}")"

echo
echo "Whole processes, $reps runs each, $records detail records per file (seconds: min / median)"
printf '  %-44s %8s / %8s\n' "wc -l (1 file)" "$wc_min" "$wc_med"
printf '  %-44s %8s / %8s\n' "pcn874 inspect (1 file)" "$in_min" "$in_med"
printf '  %-44s %8s / %8s\n' "wc -l (4 files)" "$w4_min" "$w4_med"
printf '  %-44s %8s / %8s\n' "pcn874 check (4 files)" "$ck_min" "$ck_med"
printf '  %-44s %8s / %8s\n' "cat (4 files into one)" "$cat_min" "$cat_med"
printf '  %-44s %8s / %8s\n' "pcn874 merge (4 files, union form)" "$mg_min" "$mg_med"
printf '  %-44s %8s / %8s\n' "cat ($small_count small files into one)" "$sc_min" "$sc_med"
printf '  %-44s %8s / %8s\n' "pcn874 merge ($small_count small files)" "$sm_min" "$sm_med"
printf '  %-44s %8s / %8s\n' "cat, then sync of its output" "$dc_min" "$dc_med"
echo
echo "Ratios (min / median)                                   target"
printf '  %-44s %5s / %5s   <= 1.50\n' "inspect : wc -l" "$(ratio "$in_min" "$wc_min")" \
  "$(ratio "$in_med" "$wc_med")"
printf '  %-44s %5s / %5s   <= 3.00\n' "check : wc -l (4 files)" "$(ratio "$ck_min" "$w4_min")" \
  "$(ratio "$ck_med" "$w4_med")"
printf '  %-44s %5s / %5s   <= 2.50\n' "merge : cat" \
  "$(ratio "$mg_min" "$cat_min")" "$(ratio "$mg_med" "$cat_med")"
printf '  %-44s %5s / %5s   <= 3.00\n' "merge : cat, $small_count small files" \
  "$(ratio "$sm_min" "$sc_min")" "$(ratio "$sm_med" "$sc_med")"
printf '  %-44s %5s / %5s\n' "merge : (cat, then sync of its output)" \
  "$(ratio "$mg_min" "$dc_min")" "$(ratio "$mg_med" "$dc_med")"
printf '  (processor time, median: inspect %.4f s, wc -l %.4f s, %.2f x;\n' "$in_cpu_med" \
  "$wc_cpu_med" "$(ratio "$in_cpu_med" "$wc_cpu_med")"
printf '   merge %.4f s, cat %.4f s, %.2f x)\n' "$mg_cpu_med" \
  "$cat_cpu_med" "$(ratio "$mg_cpu_med" "$cat_cpu_med")"
printf '  (outputs in %s; load average before %s, after %s)\n' "$out_root" "$load_before" \
  "$(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo '?')"
echo
echo "Peak memory (max RSS)                                   target"
printf '  %-44s %5d KB   <= 16384 KB\n' "inspect of a $((big_bytes / 1000000)) MB file" "$big_kb"
records_kb=$((16384 + 32 * 4 * records / 1024))
printf '  %-44s %5d KB   <= 16384 KB\n' "check of a 120 MB file without records" "$empty_kb"
printf '  %-44s %5d KB   <= %d KB (16 MB + 32 B a record)\n' "check of four files" "$check_kb" \
  "$records_kb"
printf '  %-44s %5d KB   <= %d KB (16 MB + 32 B a record)\n' "merge of four files" "$merge_kb" \
  "$records_kb"
printf '  (the %d MB file: inspect %.3f s, wc -l %.3f s)\n' "$((big_bytes / 1000000))" \
  "$big_seconds" "$big_wc_seconds"
