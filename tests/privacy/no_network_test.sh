#!/usr/bin/env bash
# no_network_test.sh SLATEBOOK IMAGE: runs the executable twice under strace in a fresh HOME,
# once as `--ocr IMAGE` and once in window mode (offscreen, its own session bus) long enough to
# recognise IMAGE, and fails on any Internet socket, any name lookup, or any file it leaves in
# HOME outside the folders the README documents.
set -euo pipefail
slatebook=$(realpath "$1")
image=$(realpath "$2")
window_seconds=${SLATEBOOK_PRIVACY_WINDOW_SECONDS:-12}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/slatebook-privacy.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

home="$scratch/home"
mkdir -p "$home/.deskmate/tools" "$scratch/runtime"
chmod 700 "$scratch/runtime"
cp "$image" "$scratch/homework.jpg"

# Only what a desktop session would hand over: no XDG_* folders, so the program's own defaults
# under HOME are what is checked, and nothing of the caller's environment (CI, telemetry switches).
# BUS, when given, is a command that provides a session bus around the traced program.
run_traced() {
  local log=$1 bus=$2; shift 2
  (cd "$scratch" && env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 \
     XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen \
     $bus strace -f -qq -o "$log" -e trace=socket,connect,sendto,sendmsg,sendmmsg,openat "$@")
}

check_log() {
  local log=$1 what=$2
  [ -s "$log" ] || fail "$what: strace wrote nothing"
  if grep -E 'AF_INET6?[,)]' "$log" | grep -v ENOENT >/dev/null; then
    grep -E 'AF_INET6?[,)]' "$log" | head -n 5 >&2
    fail "$what opened an Internet socket"
  fi
  # A host name lookup reads the resolver's configuration, asks systemd-resolved or port 53.
  local lookup='htons\(53\)|/etc/resolv\.conf|/run/systemd/resolve|events\.data\.microsoft'
  if grep -E "$lookup" "$log" >/dev/null; then
    grep -E "$lookup" "$log" | head -n 5 >&2
    fail "$what looked up a host name"
  fi
  grep -q 'ch_PP-OCRv4_rec_infer.onnx' "$log" || fail "$what never loaded the recognition network"
}

echo "== --ocr"
run_traced "$scratch/ocr.strace" "" "$slatebook" --ocr homework.jpg
check_log "$scratch/ocr.strace" "--ocr"
grep -q '^== OCR [1-9][0-9]* 行 ==' "$home/.deskmate/tools/cli_result.txt" || fail "--ocr recognised nothing"

echo "== window mode for ${window_seconds} s"
# timeout ends the window (status 124) while strace, above it, follows both.
status=0
run_traced "$scratch/window.strace" "dbus-run-session --" timeout "$window_seconds" "$slatebook" homework.jpg ||
  status=$?
[ "$status" -eq 124 ] || fail "the window ended with status $status before the time was up"
check_log "$scratch/window.strace" "window mode"

echo "== files left in HOME"
documented='^\./(\.local/share/Slatebook|\.config/Slatebook|\.local/state/Slatebook|\.cache/slatebook|\.deskmate/tools)(/|$)'
strays=$(cd "$home" && find . -mindepth 1 \( -type f -o -type l \) | grep -Ev "$documented" || true)
[ -z "$strays" ] || fail "files outside the documented folders: $strays"
echo "PASS"
