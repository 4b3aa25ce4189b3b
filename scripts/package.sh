#!/usr/bin/env bash
# Builds the release zip in build/package/: the palette, the demo catalogue and target list,
# the companion LISP file, a Japanese read-me and the licence texts of the runtime linked in.
#   bash scripts/package.sh           build the zip
#   bash scripts/package.sh --check   also unzip it under a path with a Japanese name and a
#                                     blank, in a fresh Wine prefix, start it there, and insert
#                                     a block into the test CAD
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$ZR_ROOT"

version=1.65
name="ZovezaRuzu-$version"
out="$ZR_BUILD/package"
stage="$out/$name"

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target ZovezaRuzu

rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage/licenses"
cp build/windows/src/win32/ZovezaRuzu.exe "$stage/"
# Only what the read-me lists: the demo folder also holds repository files (.gitattributes).
cp data/demo/MenuList.txt data/demo/BlockList.txt data/demo/TargetCAD_APIVersion.txt "$stage/"
[ -f data/demo/zovezaRuzu.lsp ] && cp data/demo/zovezaRuzu.lsp "$stage/"
mkdir -p "$stage/DXF"
cp data/demo/DXF/*.dxf "$stage/DXF/"
# The read-me opens in Notepad on any code page: UTF-8 with a byte-order mark, CR LF.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' docs/release/README-ja.txt; } > "$stage/README-ja.txt"
# The runtime linked statically into the program: GCC's (GPL with the runtime library
# exception) and MinGW-w64's.
for pair in gcc-mingw-w64-base:gcc-runtime mingw-w64-common:mingw-w64-runtime; do
  src="/usr/share/doc/${pair%%:*}/copyright"
  [ -f "$src" ] && sed 's/$/\r/' "$src" > "$stage/licenses/${pair#*:}.txt"
done
(cd "$out" && zip -q -r -X "$name.zip" "$name")
echo "Release: $out/$name.zip ($(du -k "$out/$name.zip" | cut -f1) KiB)"

[ "${1:-}" = "--check" ] || exit 0

# The zip holds exactly what the read-me lists, nothing else (no hidden or repository files).
shipped='^'"$name"'/(ZovezaRuzu\.exe|README-ja\.txt|MenuList\.txt|BlockList\.txt|TargetCAD_APIVersion\.txt|zovezaRuzu\.lsp|DXF/|DXF/[^/]+\.dxf|licenses/|licenses/[^/]+\.txt)?$'
extra=$(unzip -Z1 "$out/$name.zip" | grep -v -E "$shipped" || true)
if [ -n "$extra" ]; then
  echo "Release check failed: the zip holds files the read-me does not list:" >&2
  echo "$extra" >&2
  exit 1
fi

zr_say "Release check: unzipped under a Japanese path with a blank, in a fresh Wine prefix"
cmake --build --preset windows --target zr_insert_latency ZrTestCad
check="$out/check/設備 パレット"
rm -rf "$out/check" && mkdir -p "$check"
(cd "$check" && unzip -q "$out/$name.zip")
export ZR_WINEPREFIX="$out/wineprefix-fresh"
rm -rf "$ZR_WINEPREFIX"
source scripts/lib/wine-env.sh
mkdir -p "$WINEPREFIX"
zr_wine wineboot -i >/dev/null 2>&1
wineserver -w
zr_ensure_display
trap 'wineserver -k 2>/dev/null; zr_stop_display' EXIT
exe=$(zr_windows_path "$check/$name/ZovezaRuzu.exe")
zr_wine build/windows/tests/e2e/zr_insert_latency.exe 1 "$exe"
echo "Release check passed: the unzipped palette showed its first page and inserted a block"
