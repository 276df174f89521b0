#!/usr/bin/env bash
# Builds the release of the last commit twice, in two fresh clones under folders of different
# names and depths, and compares the archives byte for byte.
#   dist-check.sh [WORK_FOLDER]   (default: a new folder under /tmp; kept when they differ)
set -euo pipefail

top=$(cd "$(dirname "$0")/../.." && pwd)
commit=$(git -C "$top" rev-parse HEAD)
if [[ -n "$(git -C "$top" status --porcelain --untracked-files=no)" ]]; then
  echo "dist-check: uncommitted changes are not part of the check: it builds commit $commit"
fi
work=${1:-$(mktemp -d /tmp/pcn874-dist-check.XXXXXX)}
mkdir -p "$work"
first=$work/one
second=$work/second-build/at/another/depth
mkdir -p "$(dirname "$second")"

for tree in "$first" "$second"; do
  git clone --quiet --shared --no-checkout "$(git -C "$top" rev-parse --path-format=absolute \
    --git-common-dir)" "$tree"
  git -C "$tree" checkout --quiet --detach "$commit"
  start=$(date +%s)
  if ! make -C "$tree" --no-print-directory dist >"$tree.log" 2>&1; then
    tail -n 30 "$tree.log" >&2
    echo "dist-check: FAIL: make dist failed in $tree (log: $tree.log)" >&2
    exit 1
  fi
  echo "dist-check: make dist in $tree took $(( $(date +%s) - start )) s"
done

# Every file of dist/, with the same names, the same bytes.
status=0
if ! diff <(cd "$first/dist" && ls) <(cd "$second/dist" && ls) >/dev/null; then
  echo "dist-check: the two builds wrote different files:" >&2
  diff <(cd "$first/dist" && ls) <(cd "$second/dist" && ls) >&2 || true
  status=1
fi
for file in "$first"/dist/*; do
  name=$(basename "$file")
  if cmp -s "$file" "$second/dist/$name"; then
    echo "dist-check: identical: $name ($(stat -c %s "$file") bytes)"
  else
    echo "dist-check: DIFFERENT: $name" >&2
    status=1
  fi
done
if [[ $status != 0 ]]; then
  # Which members differ, to start the search.
  for tree in "$first" "$second"; do
    mkdir -p "$tree/unpacked"
    for zip in "$tree"/dist/*.zip; do unzip -q -o "$zip" -d "$tree/unpacked"; done
    for tgz in "$tree"/dist/*.tar.gz; do tar -xzf "$tgz" -C "$tree/unpacked"; done
  done
  diff -r "$first/unpacked" "$second/unpacked" >&2 || true
  echo "dist-check: FAIL: the builds differ; both are kept under $work" >&2
  exit 1
fi
echo "dist-check: PASS: commit $commit gives the same bytes in two folders:"
cat "$first/dist/SHA256SUMS"
rm -rf "$work"
