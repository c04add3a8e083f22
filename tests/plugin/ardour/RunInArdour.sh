#!/bin/sh
# Loads the built plug-in in Ardour as a user would: the VST 2 scanner
# finds it, and a headless session instantiates it, saves its state in the
# session and restores it. Exit 77 (skipped) without Ardour.
# Usage: RunInArdour.sh <plug-in .so> <skins folder> <script folder>
set -u
lua=$(command -v ardour7-lua || command -v ardour8-lua || true)
[ -n "$lua" ] || { echo "Ardour's Lua session tool is not installed"; exit 77; }
scanner=$(ls /usr/lib/ardour*/ardour-vst-scanner 2>/dev/null | head -n 1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
vst="$work/vst"
mkdir -p "$vst/Vesk Plug-In Editor/Contents/Resources"
cp "$1" "$vst/Vesk Plug-In Editor.so"
# Ardour takes a scan result only when it is newer than the plug-in, to
# the second: the copy is dated a little back.
touch -d "@$(( $(date +%s) - 10 ))" "$vst/Vesk Plug-In Editor.so"
cp "$2"/*.png "$vst/Vesk Plug-In Editor/Contents/Resources/"
export HOME="$work/home" LXVST_PATH="$vst" DISPLAY= VESK_LOCK_DIR="$work"
mkdir -p "$HOME"
if [ -n "$scanner" ]; then
  LD_LIBRARY_PATH="$(dirname "$scanner")" "$scanner" -f "$vst/Vesk Plug-In Editor.so" | grep "Found Plugin" || exit 1
fi
out=$("$lua" "$3/SessionRoundTrip.lua" "$work/session" 2>&1)
echo "$out"
echo "$out" | grep -q "reloaded Vesk Vesk Plug-In Editor param 0 = 0.2913" || exit 1
grep -q "<chunk program=" "$work/session/vesk.ardour" || { echo "no chunk in the session"; exit 1; }
