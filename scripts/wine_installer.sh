#!/usr/bin/env bash
# The Windows installer's round trip under Wine, in a fresh prefix on a
# virtual screen:
#   - msiexec /i installs the program, its guide and licence under Program
#     Files\Quillomar, a Start-menu shortcut and an entry under installed
#     programs (name, version, publisher, icon);
#   - the shortcut starts the installed program to its first-run window, and
#     YES there writes the records under C:\WINDOWS\zizodo;
#   - a newer build installed over it replaces it: one entry, the newer
#     version; the older package then refuses to install over the newer;
#   - msiexec /x removes every installed file, the shortcut and the entry,
#     and leaves the records and D:\biefei.ini as they were.
# Uses the installer that scripts/build_windows.sh made, building it first
# when it is missing; the newer build is the same files under a higher
# version (packaging/windows/build_msi.sh).
#   QUILLOMAR_WIN32_GUI_BUILD   the Windows program's build folder (default build/win32)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLOMAR_WIN32_GUI_BUILD:-build/win32}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine itself comes with the Wine tests (scripts/wine_tests.sh).
command -v wine >/dev/null || { echo "wine_installer: needs wine and wine32 (scripts/wine_tests.sh installs them)"; exit 1; }
bash scripts/install_missing.sh xvfb openbox xdotool unzip

version=$(sed -n 's/^project(Quillomar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
msi="$PWD/$build/quillomar-$version-win32.msi"
zip="$PWD/$build/quillomar-$version-win32.zip"
[ -f "$msi" ] && [ -f "$zip" ] || bash scripts/build_windows.sh

scratch=$(mktemp -d /tmp/quillomar-installer-XXXXXX)
. scripts/wine_prefix.sh
export WINEPREFIX="$scratch/prefix"
cleanup() {
  wineserver -k 2>/dev/null || true
  quillomar_stop_screen
  rm -rf "$scratch"
}
trap cleanup EXIT

# The newer build: what the installer holds, under the next version that
# Windows Installer tells apart (it compares the first three fields).
IFS=. read -r major minor patch _ <<<"$version"
newer_version="$major.$minor.$((${patch:-0} + 1))"
newer_msi="$scratch/quillomar-$newer_version-win32.msi"
mkdir "$scratch/files"
(cd "$scratch/files" && unzip -q "$zip")
cp app/pictures/bitmaps/quillomar.ico "$scratch/files/"
bash packaging/windows/build_msi.sh "$scratch/files" "$newer_version" "$newer_msi"

quillomar_virtual_screen "$scratch"
quillomar_wine_prefix "$WINEPREFIX"
mkdir -p "$scratch/drive_d"
ln -sfn "$scratch/drive_d" "$WINEPREFIX/dosdevices/d:"

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "wine_installer: ok   $what"; else echo "wine_installer: FAIL $what"; failures=$((failures + 1)); fi
}
fails() { ! "$@"; }
msiexec() { wine msiexec "$@" >/dev/null 2>&1; local status=$?; wineserver -w; return $status; }

# Where a 32-bit package installs: Program Files, or Program Files (x86) in
# a prefix for 64-bit programs too.
program_files() {
  if [ -d "$WINEPREFIX/drive_c/Program Files (x86)" ]; then echo "$WINEPREFIX/drive_c/Program Files (x86)"
  else echo "$WINEPREFIX/drive_c/Program Files"; fi
}
folder="$(program_files)/Quillomar"
# Wine puts a per-machine package's shortcuts into the user's Start menu, not
# the one of all users (its ProgramMenuFolder ignores ALLUSERS); either is
# the Start menu.
shortcut() {
  ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillomar.lnk" \
     "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Quillomar.lnk 2>/dev/null | head -n1
}
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The entries under installed programs named Quillomar, one line each:
# "<key> <DisplayVersion> <Publisher>".
entries() {
  wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY_/ { flush(); key = $0; name = version = publisher = ""; next }
    $1 == "DisplayName" { name = substr($0, index($0, "REG_SZ") + 10) }
    $1 == "DisplayVersion" { version = $3 }
    $1 == "Publisher" { publisher = substr($0, index($0, "REG_SZ") + 10) }
    function flush() { if (name == "Quillomar") print key, version, publisher }
    END { flush() }'
}
# The icon that installed programs show for the product: the Installer keeps
# ARPPRODUCTICON as the product's ProductIcon.
product_icon_exists() {
  local icon
  icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    awk '$1 == "ProductIcon" { print substr($0, index($0, "REG_SZ") + 10) }' | head -n1)
  [ -n "$icon" ] && [ -s "$(winepath -u "$icon" 2>/dev/null)" ]
}
installed_file_is() {  # installed_file_is NAME: the installed copy is the shipped one
  cmp -s "$folder/$1" "$scratch/files/$1"
}
first_run_window_shows() {
  local id geometry
  for _ in $(seq 300); do
    for id in $(xdotool search --onlyvisible --name '^Quillomar' 2>/dev/null); do
      geometry=$(xdotool getwindowgeometry --shell "$id")
      eval "$geometry"
      if [ "$WIDTH" = 318 ] && [ "$HEIGHT" = 219 ]; then return 0; fi
    done
    sleep 0.1
  done
  return 1
}

# Install.
check "msiexec /i installs quietly" msiexec /i "$(winepath -w "$msi")" /qn
for file in quillomar.exe Quillomar.htm License.txt; do
  check "Program Files\\Quillomar\\$file is the shipped one" installed_file_is "$file"
done
check "a Start-menu shortcut" test -n "$(shortcut)"
entry=$(entries)
check "one entry under installed programs: $entry" test "$(grep -c . <<<"$entry")" -eq 1
check "the entry has the version and the publisher" test "${entry#* }" = "$version Quillomar Developers"
check "the entry has its icon" product_icon_exists

# The shortcut starts the installed program to its first-run window; YES
# there writes the records.
wine start /unix "$(shortcut)" >/dev/null 2>&1 &
check "the shortcut starts the program to its first-run window" first_run_window_shows
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^Quillomar' | head -n1)")"
xdotool mousemove $((X + 170)) $((Y + 196)) click 1  # YES
records="$WINEPREFIX/drive_c/windows/zizodo/zizodo123"
for _ in $(seq 100); do [ -f "$records/zizodo.INI" ] && break; sleep 0.1; done
check "YES writes the records in C:\\WINDOWS\\zizodo\\zizodo123" test -f "$records/zizodo.INI"
wineserver -k 2>/dev/null || true
wineserver -w
echo "[a record]" >"$scratch/drive_d/biefei.ini"
records_before=$(cd "$WINEPREFIX/drive_c/windows" && find zizodo -type f -exec sha256sum {} + | sort; sha256sum "$scratch/drive_d/biefei.ini")

# A newer build over it.
check "msiexec /i of a newer build installs quietly" msiexec /i "$(winepath -w "$newer_msi")" /qn
entry=$(entries)
check "still one entry under installed programs, the newer version: $entry" \
  test "$(grep -c . <<<"$entry")" -eq 1 -a "${entry#* }" = "$newer_version Quillomar Developers"
check "the program is still installed" installed_file_is quillomar.exe
check "the older package does not install over the newer" fails msiexec /i "$(winepath -w "$msi")" /qn
check "and leaves the newer one alone" test "$(entries | cut -d' ' -f2)" = "$newer_version"

# Remove it.
check "msiexec /x removes quietly" msiexec /x "$(winepath -w "$newer_msi")" /qn
check "no installed file is left" test ! -e "$folder"
check "the shortcut is gone" test -z "$(shortcut)"
check "the entry under installed programs is gone" test -z "$(entries)"
installer_knows_product() {
  wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' | grep -q 'ProductName.*Quillomar'
}
check "the Installer's record of the product is gone" fails installer_knows_product
records_after=$(cd "$WINEPREFIX/drive_c/windows" && find zizodo -type f -exec sha256sum {} + | sort; sha256sum "$scratch/drive_d/biefei.ini")
check "the records and D:\\biefei.ini stay as they were" test "$records_after" = "$records_before"

if [ "$failures" -ne 0 ]; then
  echo "wine_installer: $failures checks failed"
  exit 1
fi
echo "wine_installer: all checks passed"
