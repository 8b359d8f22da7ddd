#!/usr/bin/env bash
# deb_test.sh BUILD_DIR IMAGE: builds the Debian package from BUILD_DIR (into BUILD_DIR/package),
# unpacks it with dpkg -x into a scratch root outside every tree, checks that its files land where
# the desktop looks for them, runs lintian, and runs the unpacked `slatebook --ocr IMAGE` from a
# temporary folder with a temporary HOME and nothing of the build or the source tree on its paths.
set -euo pipefail
build=$(cd "$1" && pwd)
image=$2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/slatebook-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "== cpack"
rm -f "$build"/package/slatebook_*.deb
cpack -G DEB -B "$build/package" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$build"/package/slatebook_*_amd64.deb)
echo "$deb"

echo "== control fields"
dpkg-deb --field "$deb" Package Version Depends Recommends
depends=$(dpkg-deb --field "$deb" Depends)
depends_on() { tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep -qxF "$1"; }
# Qt loads these at run time; nothing records them in the executable.
for package in qt6-qpa-plugins qt6-image-formats-plugins; do
  depends_on "$package" || fail "Depends lacks $package"
done
[[ "$depends" != *onnxruntime* ]] || fail "Depends names onnxruntime"
version=$(dpkg-deb --field "$deb" Version)

echo "== unpack"
root="$scratch/root"
dpkg -x "$deb" "$root"
expected=(
  usr/bin/slatebook
  usr/lib/slatebook/libonnxruntime.so.1
  usr/share/applications/slatebook.desktop
  usr/share/metainfo/io.github.slatebook.slatebook.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/slatebook.svg
  usr/share/man/man1/slatebook.1.gz
  usr/share/slatebook/models/ch_PP-OCRv4_det_infer.onnx
  usr/share/slatebook/models/ch_PP-OCRv4_rec_infer.onnx
  usr/share/slatebook/models/ch_ppocr_mobile_v2.0_cls_infer.onnx
  usr/share/slatebook/models/ppocr_keys_v1.txt
  usr/share/doc/slatebook/copyright
  usr/share/doc/slatebook/changelog.gz
  usr/share/doc/slatebook/onnxruntime/LICENSE
  usr/share/doc/slatebook/onnxruntime/ThirdPartyNotices.txt.gz
)
for size in 16 24 32 48 64 128 256 512; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/slatebook.png")
  file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/slatebook.png" | grep -q "PNG image data, $size x $size," ||
    fail "icon ${size}x${size} is not a ${size} x ${size} PNG"
done
for path in "${expected[@]}"; do
  [ -f "$root/$path" ] || fail "the package lacks /$path"
done
# ONNX Runtime stays out of the system library path.
found=$(cd "$root" && find . -name 'libonnxruntime*' | sort | tr '\n' ' ')
[ "$found" = "./usr/lib/slatebook/libonnxruntime.so.1 " ] || fail "ONNX Runtime files: $found"
runpath=$(readelf -d "$root/usr/bin/slatebook" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
[ "$runpath" = '$ORIGIN/../lib/slatebook' ] || fail "RUNPATH is '$runpath'"
# Every library the executable links comes either with the package or from a package it depends
# on (dpkg-shlibdeps computed the list; here each one is traced back to its Debian package).
needed=$(readelf -d "$root/usr/bin/slatebook" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
resolved=$(env -i PATH=/usr/bin:/bin ldd "$root/usr/bin/slatebook")
for library in $needed; do
  if [[ "$library" == ld-linux-* ]]; then
    depends_on libc6 || fail "Depends lacks libc6 (for $library)"
    continue
  fi
  path=$(awk -v lib="$library" '$1 == lib && $2 == "=>" { print $3 }' <<<"$resolved")
  [ -n "$path" ] && [ "$path" != "not" ] || fail "$library does not resolve"
  if [ "$library" = libonnxruntime.so.1 ]; then
    [ "$(realpath "$path")" = "$root/usr/lib/slatebook/libonnxruntime.so.1" ] || fail "ONNX Runtime resolves to $path"
    continue
  fi
  # With merged /usr the loader may name either spelling of the folder; dpkg knows one.
  package=$( (dpkg -S "$path" || dpkg -S "/usr$path" || dpkg -S "${path#/usr}") 2>/dev/null | head -n 1 | cut -d: -f1)
  [ -n "$package" ] || fail "no Debian package owns $path"
  depends_on "$package" || fail "Depends lacks $package (for $library)"
done
zcat "$root/usr/share/doc/slatebook/changelog.gz" | head -n 1 | grep -qF "slatebook ($version)" ||
  fail "the changelog's latest entry is not version $version"
grep -qF "<release version=\"$version\"" "$root/usr/share/metainfo/io.github.slatebook.slatebook.metainfo.xml" ||
  fail "the AppStream releases lack version $version"
desktop-file-validate "$root/usr/share/applications/slatebook.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.slatebook.slatebook.metainfo.xml" >/dev/null

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

echo "== slatebook --ocr from the unpacked package"
home="$scratch/home"
work="$scratch/work"
mkdir -p "$home/.deskmate/tools" "$work"
cp "$image" "$work/homework.jpg"
run_unpacked() {
  rm -f "$home/.deskmate/tools/cli_result.txt"
  (cd "$work" && env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 \
     XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
     XDG_STATE_HOME="$home/.local/state" XDG_CACHE_HOME="$home/.cache" \
     timeout 300 "$root/usr/bin/slatebook" --ocr homework.jpg)
  cat "$home/.deskmate/tools/cli_result.txt"
}
result=$(run_unpacked)
echo "$result"
# The same report as the build tree's executable gives for this photo.
[ "$(head -n 1 <<<"$result")" = "== OCR 6 行 ==" ] || fail "not the 6 recognised lines"
grep -qx '清单名: 4.2作业' <<<"$result" || fail "not the list title 4.2作业"
grep -qx '  \[数学\] P45 1-6题' <<<"$result" || fail "not the entry [数学] P45 1-6题"

echo "== no network, no stray files, from the unpacked package"
"$(dirname "${BASH_SOURCE[0]}")/../privacy/no_network_test.sh" "$root/usr/bin/slatebook" "$image" ||
  fail "the unpacked package uses the network or leaves stray files"

# The models it used were the package's own: without them it recognises nothing, rather than
# reaching for the build's copies.
mv "$root/usr/share/slatebook/models" "$scratch/models-aside"
result=$(run_unpacked)
[ "$(head -n 1 <<<"$result")" = "== OCR 0 行 ==" ] || fail "recognised text without the package's models: $result"
echo "PASS"
