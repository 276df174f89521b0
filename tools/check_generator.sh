#!/usr/bin/env bash
# Checks the file generator against the loader: for several seeds and shapes the declared
# totals equal the sums of the detail records, the declared counts equal the records
# counted, every line ends with CR LF, the same seed gives the same bytes, and four files
# of one month merge.
#   tools/check_generator.sh GENERATOR PCN874
set -euo pipefail
generate=${1:?usage: check_generator.sh GENERATOR PCN874}
tool=${2:?usage: check_generator.sh GENERATOR PCN874}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "check_generator: $*" >&2; exit 1; }

check() {  # RECORDS OPTIONS...
  local records=$1 file=$dir/f.txt
  shift
  "$generate" --records "$records" "$@" --out "$file"
  local report
  report=$("$tool" inspect "$file") || fail "refused ($*): $report"
  # Each pair: "declared X, records Y": equal, as the generator sums what it writes.
  while read -r declared summed; do
    [[ $declared == "$summed" ]] || fail "declared $declared, records $summed ($*)"
  done < <(sed -n 's/.*declared \([^,]*\), records \([^,]*\),.*/\1 \2/p' <<<"$report")
  [[ $(grep -c '5% .*: pass' <<<"$report") == 3 ]] || fail "not three passing pairs ($*)"
  local sales inputs
  sales=$(sed -n 's/^  salesRecordCount *//p' <<<"$report")
  inputs=$(sed -n 's/^  inputRecordCount *//p' <<<"$report")
  ((sales + inputs == records)) || fail "$sales + $inputs records, not $records ($*)"
  local opening
  opening=$(head -n 1 "$file")
  ((10#${opening:69:9} == sales && 10#${opening:110:9} == inputs)) ||
    fail "the opening record's counts differ from the records ($*)"
  # Every line ends with CR LF (a Ctrl-Z, when asked for, follows the last one).
  local lines crlf
  lines=$(tr -d '\032' <"$file" | wc -l)
  crlf=$(tr -d '\032' <"$file" | grep -c $'\r$' || true)
  [[ $lines == "$crlf" ]] || fail "$((lines - crlf)) lines without CR LF ($*)"
}

check 1 --seed 1
check 2000 --seed 2
check 5000 --seed 3 --short 300 --odd 50
check 5000 --seed 4 --short 1000 --ctrl-z
check 20000 --seed 5 --month 12-2023 --dealer 513987651

"$generate" --records 3000 --seed 7 --short 100 --out "$dir/a.txt"
"$generate" --records 3000 --seed 7 --short 100 --out "$dir/b.txt"
"$generate" --records 3000 --seed 8 --short 100 --out "$dir/c.txt"
cmp -s "$dir/a.txt" "$dir/b.txt" || fail "the same seed gave different files"
cmp -s "$dir/a.txt" "$dir/c.txt" && fail "two seeds gave the same file"

for i in 1 2 3 4; do "$generate" --records 50000 --seed "$i" --out "$dir/m$i.txt"; done
mkdir "$dir/out"
"$tool" merge --out "$dir/out" --date 20240415 "$dir"/m{1,2,3,4}.txt >/dev/null ||
  fail "four generated files do not merge"
echo "generator: all checks passed"
