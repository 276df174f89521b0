#!/usr/bin/env bash
# The release: a clean Release build of the command-line tool for Linux (statically linked)
# and of both programs for Windows, packed into dist/ with their checksums, then the packaged
# tool tried on the examples.
#   make-dist.sh VERSION NATIVE_CLI
# SOURCE_DATE_EPOCH (the last commit's time) fixes every time stamp in the archives.
set -euo pipefail

version=${1:?usage: make-dist.sh VERSION NATIVE_CLI}
native_cli=${2:?usage: make-dist.sh VERSION NATIVE_CLI}
: "${SOURCE_DATE_EPOCH:?SOURCE_DATE_EPOCH must be set (the time of the last commit)}"
export SOURCE_DATE_EPOCH
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
jobs=${JOBS:-2}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cd "$top"

build=build-dist
rm -rf "$build" dist
mkdir -p "$build" dist
# Each tool's locale and time zone must not show in what it writes.
export LC_ALL=C TZ=UTC

echo "dist: Release build of pcn874 for Linux"
cmake -S . -B "$build/native" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DPCN_BUILD_TESTS=OFF -DPCN_STATIC_CLI=ON -DPCN_REPRODUCIBLE=ON >/dev/null
cmake --build "$build/native" -j "$jobs" --target pcn874

echo "dist: Release build of Pcn874Merge.exe and pcn874.exe for Windows"
cmake -S . -B "$build/win" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DPCN_BUILD_TESTS=OFF \
  -DPCN_REPRODUCIBLE=ON -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/win" -j "$jobs" --target Pcn874Merge pcn874

# The folders the archives hold, each under its own name. Symbols are of no use to a user.
linux_name=pcn874-$version-linux-x86_64
windows_name=pcn874-merge-$version-windows-x64
linux=$build/stage/$linux_name
windows=$build/stage/$windows_name
mkdir -p "$linux/examples" "$windows/guide" "$windows/examples"
strip --strip-all -o "$linux/pcn874" "$build/native/src/cli/pcn874"
# The tarball's README is the users' (what it is, installing, first commands), not the
# developers' one of the repository.
cp "$build/native/pcn874.1" "$linux/"
cp docs/README-linux.md "$linux/README.md"
cp examples/*.txt "$linux/examples/"
x86_64-w64-mingw32-strip --strip-all -o "$windows/Pcn874Merge.exe" \
  "$build/win/src/window/Pcn874Merge.exe"
x86_64-w64-mingw32-strip --strip-all -o "$windows/pcn874.exe" "$build/win/src/cli/pcn874.exe"
cp docs/guide.html "$windows/"
cp docs/guide/*.png "$windows/guide/"
cp examples/*.txt "$windows/examples/"
# Modes as a fresh checkout under any umask would give them.
find "$build/stage" -type d -exec chmod 755 {} +
find "$build/stage" -type f -exec chmod 644 {} +
chmod 755 "$linux/pcn874" "$windows/Pcn874Merge.exe" "$windows/pcn874.exe"

tar --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner \
  --format=gnu -C "$build/stage" -cf - "$linux_name" | gzip -9 -n >"dist/$linux_name.tar.gz"
"$here/pack-zip.py" "dist/$windows_name.zip" "$windows"
(cd dist && sha256sum "$windows_name.zip" "$linux_name.tar.gz" >SHA256SUMS)

"$here/test-packaged-tool.sh" "dist/$linux_name.tar.gz" "$version" "$native_cli" examples

echo "dist: the archives, built from commit time $(date -u -d "@$SOURCE_DATE_EPOCH" +%FT%TZ):"
ls -l dist
cat dist/SHA256SUMS
