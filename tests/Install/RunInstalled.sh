#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed program from an unrelated folder, as a user
# would after `make install`: its data must come from <prefix>/share/zandrel/ and its settings from
# $XDG_CONFIG_HOME/zandrel/settings.txt (which switches the information log on, so the log shows both). Once the
# game stands, the program runs its main loop for a while and is then ended with SIGTERM, which it must take as a
# normal close. The start file named on its command line does not exist: nothing reads it yet.
#   RunInstalled.sh <build folder>
set -euo pipefail

build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

cmake --install "$build" --prefix "$root/prefix" >/dev/null
for file in bin/zandrel share/zandrel/info.txt share/zandrel/daten/models/sphere.obj \
    share/applications/zandrel.desktop share/icons/hicolor/48x48/apps/zandrel.png; do
    [ -e "$root/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done

# The command line: help and version on standard output, a misuse with the usage on standard error and exit code 2.
zandrel=$root/prefix/bin/zandrel
help=$("$zandrel" --help)
[[ $help == "Aufruf: zandrel [DATEI]"* ]] || { echo "--help: $help"; exit 1; }
version=$("$zandrel" --version)
[[ $version =~ ^Zandrel\ [0-9]+\.[0-9]+\.[0-9]+\ \(Git-Stand\ ([0-9a-f]+|unknown)\)$ ]] ||
    { echo "--version: $version"; exit 1; }
status=0
"$zandrel" --gibt-es-nicht >/dev/null 2>"$root/usage" || status=$?
[ "$status" -eq 2 ] && grep -q "unbekannte Option: --gibt-es-nicht" "$root/usage" && grep -q "^Aufruf" "$root/usage" ||
    { echo "unknown option: exit code $status"; cat "$root/usage"; exit 1; }

mkdir -p "$root/config/zandrel" "$root/elsewhere"
printf '[Game]\nshowLog = 1\n' >"$root/config/zandrel/settings.txt"
log=$root/log
cd "$root/elsewhere"
# A system file given on the command line: the installed figure-eight preset, copied here.
cp "$root/prefix/share/zandrel/presets/acht.json" system.json
XDG_CONFIG_HOME=$root/config SDL_VIDEODRIVER=offscreen "$zandrel" system.json 2>"$log" &
pid=$!

# The panel scene is the last thing built before the main loop starts.
for _ in $(seq 300); do
    grep -q "New Scene Zandrel_gui end" "$log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
sleep 2
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?

fail() {
    echo "$1"
    cat "$log"
    exit 1
}
[ "$status" -eq 0 ] || fail "exit code $status"
grep -q "New Scene Zandrel_gui end" "$log" || fail "the game was not built"
grep -q "$root/prefix/share/zandrel/daten//models//sphere.obj" "$log" || fail "the data did not come from the prefix"
grep -q "System geladen: system.json (3 Körper)" "$log" || fail "the start file was not loaded"
grep -q "Disposing ok" "$log" || fail "no clean shut-down"
! grep -q "^Warn" "$log" || fail "warnings in the log"
echo "installed program ran from $root/elsewhere"
