#!/usr/bin/env bash
# The tool as a user gets it: unpacked from the tarball, alone in a folder, it must report
# its version and read and merge the examples exactly as the normal build does.
#   test-packaged-tool.sh TARBALL VERSION NATIVE_CLI EXAMPLES_DIR
set -euo pipefail

tarball=$(realpath "$1")
version=$2
native=$(realpath "$3")
examples=$(realpath "$4")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "dist test: FAIL: $*" >&2; failed=1; }

tar -xzf "$tarball" -C "$work"
packaged=$(echo "$work"/*/pcn874)
[[ -x "$packaged" ]] || { echo "dist test: FAIL: no pcn874 in $tarball" >&2; exit 1; }

if file "$packaged" | grep -q 'statically linked'; then :; else
  fail "pcn874 is not statically linked: $(file -b "$packaged")"
fi
got=$("$packaged" --version) || fail "pcn874 --version failed"
[[ "$got" == "pcn874 $version" ]] || fail "--version printed '$got', not 'pcn874 $version'"

same() {  # what: a description; then the two commands' outputs are compared
  local what=$1
  if cmp -s "$work/packaged.out" "$work/native.out"; then
    echo "dist test: $what: the packaged tool agrees with the normal build"
  else
    fail "$what differs from the normal build:"
    diff "$work/packaged.out" "$work/native.out" >&2 || true
  fi
}
for json in "" --json; do
  "$packaged" inspect $json "$examples"/*.txt >"$work/packaged.out"
  "$native" inspect $json "$examples"/*.txt >"$work/native.out"
  same "inspect $json"
done
# The tarball stands alone: its examples, its README and manual page for users.
folder=$(dirname "$packaged")
for shipped in README.md pcn874.1 examples/branch-north.txt examples/branch-south.txt; do
  [[ -s "$folder/$shipped" ]] || fail "the tarball has no $shipped"
done
for example in "$examples"/*.txt; do
  cmp -s "$example" "$folder/examples/$(basename "$example")" ||
    fail "the tarball's $(basename "$example") differs from the source's"
done
for kind in union representative; do
  # An adjustment moves the union file's opening record; a representative's file has none.
  extra=(--adjust taxableSales=1)
  [[ $kind == representative ]] && extra=(--representative --number 18)
  mkdir -p "$work/$kind-packaged" "$work/$kind-native"
  "$packaged" merge --date 20240415 "${extra[@]}" \
    --out "$work/$kind-packaged" "$folder"/examples/*.txt >/dev/null
  "$native" merge --date 20240415 "${extra[@]}" \
    --out "$work/$kind-native" "$examples"/*.txt >/dev/null
  cat "$work/$kind-packaged"/* >"$work/packaged.out"
  cat "$work/$kind-native"/* >"$work/native.out"
  [[ -s "$work/native.out" ]] || fail "the normal build wrote no $kind file"
  same "merge ($kind file)"
done
[[ $failed == 0 ]] && echo "dist test: PASS (pcn874 $version from $(basename "$tarball"))"
exit $failed
