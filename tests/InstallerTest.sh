#!/usr/bin/env bash
# The installer under Wine, silently, in a fresh prefix of its own with a stored photo set: a
# first install, an install again while the agent runs, a folder that cannot be written, the
# uninstall, then an install in a folder with spaces and accents, its move to another folder and
# the uninstall. None of the prefix's processes holds ctest's output, and every one of them ends
# with the script, on failure too (wineserver -k, then -w, before the prefix is deleted).
# WORK_DIR is named after the test: tools/lumetta fails the run, naming the test, when a process of
# a prefix under the build folder is still running after ctest, and finds the test by that name.
#   InstallerTest.sh SETUP_EXE PROBE_EXE WORK_DIR DIST_DIR VERSION
set -euo pipefail

SETUP=$(realpath "$1") PROBE=$(realpath "$2") WORK=$(realpath -m "$3") DIST=$(realpath "$4") VERSION=$5
. "$(dirname "${BASH_SOURCE[0]}")/PrivatePrefix.sh"
# Wine takes the command line's and the file names' encoding from the locale.
export LC_ALL=C.UTF-8
APP='Software\Orvaneware\Lumetta'
RUN='Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL='Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumetta'
SET_ID='{0F1E2D3C-4B5A-4968-8778-695A4B3C2D1E}'

FAILURES=0
fail() { echo "FAIL: $*"; FAILURES=$((FAILURES + 1)); }
expect() { # what, expected, actual
  [ "$2" = "$3" ] && echo "ok: $1" || fail "$1: expected [$2], got [$3]"
}

probe() { wine "$PROBE" "$@" 2>>"$LOG" </dev/null | tr -d '\r'; }
has_key() { wine "$PROBE" key "$1" >>"$LOG" 2>&1 </dev/null; }
agents() { probe processes lmtagent.exe | cut -d' ' -f1 | paste -sd' '; }
agent_programs() { probe processes lmtagent.exe | cut -d' ' -f2- | paste -sd'|'; }
# A Windows path of the prefix's C: drive on the host.
host() { local p=${1#[Cc]:}; echo "$WINEPREFIX/drive_c${p//\\//}"; }
# KEY NAME=EXPECTED...: one probe for all the values of KEY; "(absent)" stands for a missing value
# and "*" takes any. The values read are left in VALUES.
expect_values() {
  local key=$1 pair i names=() expected=()
  shift
  for pair in "$@"; do names+=("${pair%%=*}"); expected+=("${pair#*=}"); done
  mapfile -t VALUES < <(probe value "$key" "${names[@]}")
  for i in "${!names[@]}"; do
    [ "${expected[$i]}" = "*" ] || expect "${names[$i]}" "${expected[$i]}" "${VALUES[$i]:-}"
  done
}
# Polls (0.25 s steps, at most 30 s) until the command prints the expected text.
wait_for() {
  local expected=$1 i
  shift
  for i in $(seq 1 120); do
    [ "$("$@")" = "$expected" ] && return 0
    sleep 0.25
  done
  return 1
}
install() { # [FOLDER]: exit code of a silent install
  local args=/S
  [ $# -gt 0 ] && args="/S /D=$1"
  local rc=0
  wine "$PROBE" run "$(winepath -w "$SETUP" 2>>"$LOG")" "$args" >>"$LOG" 2>&1 </dev/null || rc=$?
  echo "$rc"
}

# ---- a fresh prefix: null display driver, fonts, one stored photo set --------------------------
rm -rf "$WORK"
mkdir -p "$WORK"
wineboot -i >>"$LOG" 2>&1 </dev/null || true
wineserver -w
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
photo=$(winepath -w "$DIST/Frameset/example.jpg" 2>>"$LOG")
{
  printf 'REGEDIT4\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Graphics"="x11,null"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"Arial"="Liberation Sans"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\%s\\PhotoSets\\%s]\r\n' "$APP" "$SET_ID"
  printf '"PhotoFile"="%s"\r\n"Frame"="frame2.ini"\r\n' "${photo//\\/\\\\}"
  printf '"X"=dword:00000064\r\n"Y"=dword:00000064\r\n"Transparency"=dword:00000064\r\n'
} >"$WORK/settings.reg"
wine regedit /S "$(winepath -w "$WORK/settings.reg" 2>>"$LOG")" >>"$LOG" 2>&1 </dev/null
wineserver -k >>"$LOG" 2>&1 || true
wineserver -w
# One server for the whole run.
wineserver -p >>"$LOG" 2>&1 </dev/null
has_key "$APP\\PhotoSets\\$SET_ID" || fail "the photo set was not stored before the install"

local_appdata=$(wine cmd /c echo %LOCALAPPDATA% 2>>"$LOG" </dev/null | tr -d '\r')
DEFAULT_DIR="$local_appdata\\Programs\\Lumetta"
MENU=$(host "$(wine cmd /c echo %APPDATA% 2>>"$LOG" </dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs")

# Checks an install in FOLDER (Windows path): files, registry, shortcuts, the agent with the set,
# the programs' version resources.
check_installed() {
  local dir=$1 hostdir f
  hostdir=$(host "$dir")
  for f in lmtsedit.exe lmtagent.exe english.lng manual.chm Uninstall.exe; do
    [ -f "$hostdir/$f" ] || fail "$dir\\$f missing"
  done
  diff -r "$DIST" "$hostdir" | grep -v "^Only in $hostdir" && fail "the install folder differs from dist/"
  expect_values "$APP" "InstallDir=$dir\\"
  expect_values "$RUN" "Lumetta=\"$dir\\lmtagent.exe\""
  expect_values "$UNINSTALL" DisplayName=Lumetta "DisplayVersion=$VERSION" Publisher=Orvaneware \
    "DisplayIcon=\"$dir\\lmtsedit.exe\"" "InstallLocation=$dir" "UninstallString=\"$dir\\Uninstall.exe\"" \
    "QuietUninstallString=\"$dir\\Uninstall.exe\" /S" NoModify=1 NoRepair=1 "EstimatedSize=*"
  local size=${VALUES[9]:-0} kb
  kb=$(du -sk --apparent-size "$hostdir" | cut -f1)
  # In KB: within 5 % of the folder's size.
  [ $((size * 100)) -ge $((kb * 95)) ] && [ $((size * 100)) -le $((kb * 105)) ] \
    && echo "ok: EstimatedSize $size KB" || fail "EstimatedSize [$size] for a folder of $kb KB"
  [ -f "$MENU/Lumetta.lnk" ] && [ -f "$MENU/Lumetta Manual.lnk" ] || fail "Start menu shortcuts missing in $MENU"
  wait_for 1 probe shown TLMTWndClass || true
  expect "framed photos shown" 1 "$(probe shown TLMTWndClass)"
  expect "one agent, from the folder" "$dir\\lmtagent.exe" "$(agent_programs)"
  local common="CompanyName=Orvaneware|ProductName=Lumetta"
  expect "version resources" \
    "Fixed=$VERSION.0|$common|FileDescription=Lumetta editor|FileVersion=$VERSION|ProductVersion=$VERSION|Fixed=$VERSION.0|$common|FileDescription=Lumetta desktop agent|FileVersion=$VERSION|ProductVersion=$VERSION" \
    "$(probe version "$dir\\lmtsedit.exe" "$dir\\lmtagent.exe" | paste -sd'|')"
}

# Uninstalls the copy in FOLDER silently, as the installed programs list does, and checks it is gone.
check_uninstall() {
  local dir=$1 hostdir quiet i
  hostdir=$(host "$dir")
  quiet=$(probe value "$UNINSTALL" QuietUninstallString)
  # "C:\...\Uninstall.exe" /S: the uninstaller copies itself away and returns at once.
  local uninstaller=${quiet#\"}
  uninstaller=${uninstaller%%\"*}
  wine "$PROBE" run "$uninstaller" "${quiet##*\" }" >>"$LOG" 2>&1 </dev/null || fail "the uninstaller failed to start"
  for i in $(seq 1 120); do
    [ -e "$hostdir" ] || break
    sleep 0.25
  done
  [ -e "$hostdir" ] && fail "$dir is left: $(ls -A "$hostdir" | paste -sd' ')"
  wait_for "" agents || fail "an agent still runs: $(agents)"
  expect_values "$RUN" "Lumetta=(absent)"
  expect_values "$APP" "InstallDir=(absent)" "Language=(absent)"
  has_key "$UNINSTALL" && fail "the Uninstall key is left" || echo "ok: Uninstall key gone"
  has_key "$APP\\PhotoSets\\$SET_ID" && echo "ok: the photo set is kept" || fail "the photo set was removed"
  [ -e "$MENU/Lumetta.lnk" ] || [ -e "$MENU/Lumetta Manual.lnk" ] && fail "Start menu shortcuts are left" || true
}

echo "== first install, into the default folder $DEFAULT_DIR"
expect "exit code" 0 "$(install)"
check_installed "$DEFAULT_DIR"
expect_values "$APP" Language=english.lng

echo "== install again while the agent and the editor run; a chosen language stays"
old_agent=$(agents)
wine reg add "HKCU\\$APP" /v Language /d other.lng /f >>"$LOG" 2>&1 </dev/null
wine "$(host "$DEFAULT_DIR")/lmtsedit.exe" >>"$LOG" 2>&1 </dev/null &
wait_for 1 probe shown TLMTSEditorWndClass || fail "the editor did not come up"
expect "exit code" 0 "$(install)"
check_installed "$DEFAULT_DIR"
[ "$(agents)" != "$old_agent" ] && echo "ok: the agent was started anew" || fail "the old agent $old_agent still runs"
expect "editors after the install" "" "$(probe processes lmtsedit.exe)"
expect_values "$APP" Language=other.lng

echo "== folders that cannot be written change nothing: a drive that refuses, a path through a file"
ln -s /proc "$WINEPREFIX/dosdevices/p:"
: >"$WINEPREFIX/drive_c/blocker"
running=$(agents)
for folder in 'P:\Lumetta' 'C:\blocker\Lumetta'; do
  rc=$(install "$folder")
  [ "$rc" != 0 ] && echo "ok: exit code $rc for $folder" || fail "exit code 0 for $folder"
  expect_values "$APP" "InstallDir=$DEFAULT_DIR\\" Language=other.lng
  expect_values "$RUN" "Lumetta=\"$DEFAULT_DIR\\lmtagent.exe\""
  expect_values "$UNINSTALL" "InstallLocation=$DEFAULT_DIR"
  expect "the agent still runs" "$running" "$(agents)"
done
[ -f "$WINEPREFIX/drive_c/blocker" ] || fail "C:\\blocker was changed"

echo "== uninstall"
check_uninstall "$DEFAULT_DIR"

echo "== install into a folder with spaces and accents"
ACCENTS='C:\Mes Photos Élodie\Lumetta'
expect "exit code" 0 "$(install "$ACCENTS")"
check_installed "$ACCENTS"
expect_values "$APP" Language=english.lng

echo "== install into another folder: the copy moves there, the language chosen stays"
MOVED='C:\Autre dossier\Lumetta'
# The moved copy's uninstaller, kept to be run after the move.
mkdir -p "$WINEPREFIX/drive_c/aside"
cp "$(host "$ACCENTS")/Uninstall.exe" "$WINEPREFIX/drive_c/aside/"
wine reg add "HKCU\\$APP" /v Language /d other.lng /f >>"$LOG" 2>&1 </dev/null
expect "exit code" 0 "$(install "$MOVED")"
[ -e "$(host "$ACCENTS")" ] && fail "$ACCENTS is left: $(ls -A "$(host "$ACCENTS")" | paste -sd' ')" \
  || echo "ok: the old copy is gone"
check_installed "$MOVED"
expect_values "$APP" Language=other.lng

echo "== the old copy's uninstaller leaves the installed copy alone"
agent=$(agents)
rc=0
wine "$PROBE" run 'C:\aside\Uninstall.exe' "/S _?=$ACCENTS" >>"$LOG" 2>&1 </dev/null || rc=$?
expect "exit code" 0 "$rc"
expect_values "$APP" "InstallDir=$MOVED\\" Language=other.lng
expect_values "$RUN" "Lumetta=\"$MOVED\\lmtagent.exe\""
expect_values "$UNINSTALL" "InstallLocation=$MOVED"
[ -f "$MENU/Lumetta.lnk" ] && [ -f "$MENU/Lumetta Manual.lnk" ] && echo "ok: shortcuts kept" \
  || fail "the Start menu shortcuts were removed"
expect "the agent still runs" "$agent" "$(agents)"
check_uninstall "$MOVED"

if [ "$FAILURES" -gt 0 ]; then
  echo "$FAILURES check(s) failed; Wine's output is in $LOG"
  exit 1
fi
echo "all installer checks passed"
