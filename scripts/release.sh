#!/usr/bin/env bash
# release.sh: builds the 32-bit program (preset win32) and packs it with the
# user guide into dist/kestrelvane-VERSION-win32.zip, VERSION being the one
# the program shows in its title.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

version=$(sed -n 's/.*kProgramTitle = u"Kestrelvane \[v\([0-9.]*\)\]".*/\1/p' src/app/program.h)
if [ -z "$version" ]; then
  echo "release: no version found in src/app/program.h" >&2
  exit 1
fi
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target kestrelvane -j2
exe=build/win32/src/app/kestrelvane.exe
if ! i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386'; then
  echo "release: $exe is not a 32-bit Windows program" >&2
  exit 1
fi

name=kestrelvane-$version-win32
stage=build/release/$name
rm -rf build/release
mkdir -p "$stage" dist
i686-w64-mingw32-strip -o "$stage/kestrelvane.exe" "$exe"
sed 's/$/\r/' docs/user-guide.md > "$stage/user-guide.txt"  # CR LF for Windows editors
(cd build/release && cmake -E tar cf "$name.zip" --format=zip "$name")
mv "build/release/$name.zip" dist/
echo "archive: $PWD/dist/$name.zip"
