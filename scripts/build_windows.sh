#!/usr/bin/env bash
# Builds the Windows program, quillomar.exe (32-bit, GUI, statically linked),
# with Debian's i686 MinGW-w64 cross compiler, then what we ship of it: a zip
# of the program with the user guide and the licence, and a Windows Installer
# package (wixl, packaging/windows). Installs what it needs from Debian's
# packages (through sudo when not root). Everything lands in build/win32,
# the folder that scripts/wine_tests.sh builds the tests in.
#
# Given a code-signing certificate and its key, it signs the shipped program
# and the installer (Authenticode, osslsigncode); without them both stay
# unsigned, and it says so.
#   QUILLOMAR_WIN32_GUI_BUILD     the build folder (default build/win32)
#   QUILLOMAR_SIGN_CERT           the certificate (PEM; the chain up to its root may follow)
#   QUILLOMAR_SIGN_KEY            its private key (PEM)
#   QUILLOMAR_SIGN_KEY_PASSWORD   the key's passphrase, when it has one
#   SOURCE_DATE_EPOCH             the time written into the zip, the installer and the
#                                 signatures (default: the last commit's; scripts/release_time.sh)
# Two builds of one commit give the same bytes (unsigned, or signed with the
# same key), whatever folder they are built in.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLOMAR_WIN32_GUI_BUILD:-build/win32}
packages=(cmake ninja-build g++-mingw-w64-i686 zip binutils-mingw-w64-i686 wixl python3-olefile osslsigncode)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "build_windows: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

. scripts/win32_configure.sh
quillomar_configure_win32 "$build"
cmake --build "$build" --target quillomar -j2

exe="$build/quillomar.exe"
# A 32-bit GUI program that needs no DLL of the compiler's beside it.
objdump=i686-w64-mingw32-objdump
if ! $objdump -f "$exe" | grep -q "file format pei-i386"; then
  echo "build_windows: $exe is not a 32-bit Windows program" >&2
  exit 1
fi
if $objdump -p "$exe" | grep -i "DLL Name" | grep -Eiq "libstdc|libgcc|libwinpthread"; then
  echo "build_windows: $exe needs a MinGW DLL" >&2
  exit 1
fi

version=$(sed -n 's/^project(Quillomar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
. scripts/release_time.sh
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT

# What ships: the program without its debugging symbols, the user guide,
# the licence (with Windows' line ends) and, for the installer, the icon.
# The debugging information stays beside the built program
# (quillomar.exe.debug), and the shipped copy names it, so that a debugger
# given both finds the symbols.
debug_file="$build/quillomar.exe.debug"
i686-w64-mingw32-objcopy --only-keep-debug "$exe" "$debug_file"
i686-w64-mingw32-strip -o "$staging/quillomar.exe" "$exe"
i686-w64-mingw32-objcopy --add-gnu-debuglink="$debug_file" "$staging/quillomar.exe"
cp docs/Quillomar.htm "$staging/Quillomar.htm"
sed 's/$/\r/' packaging/copyright >"$staging/License.txt"
cp app/pictures/bitmaps/quillomar.ico "$staging/quillomar.ico"

# Authenticode signing, with the signing time fixed so that it repeats.
signing=0
if [ -n "${QUILLOMAR_SIGN_CERT:-}" ] && [ -n "${QUILLOMAR_SIGN_KEY:-}" ]; then
  signing=1
elif [ -n "${QUILLOMAR_SIGN_CERT:-}${QUILLOMAR_SIGN_KEY:-}" ]; then
  echo "build_windows: QUILLOMAR_SIGN_CERT and QUILLOMAR_SIGN_KEY go together" >&2
  exit 1
fi
secrets=$(mktemp -d)
trap 'rm -rf "$staging" "$secrets"' EXIT
sign() {  # sign FILE: signs FILE in place
  local password=()
  if [ -n "${QUILLOMAR_SIGN_KEY_PASSWORD:-}" ]; then
    # Read from a file of our own, never from the command line.
    (umask 077 && printf '%s' "$QUILLOMAR_SIGN_KEY_PASSWORD" >"$secrets/password")
    password=(-readpass "$secrets/password")
  fi
  osslsigncode sign -certs "$QUILLOMAR_SIGN_CERT" -key "$QUILLOMAR_SIGN_KEY" "${password[@]}" \
    -h sha256 -n Quillomar -time "$SOURCE_DATE_EPOCH" -in "$1" -out "$1.signed" >/dev/null
  mv "$1.signed" "$1"
}
[ "$signing" -eq 0 ] || sign "$staging/quillomar.exe"

# The zip: fixed order, times, modes and no extra fields, so that it repeats.
zip_file="$PWD/$build/quillomar-$version-win32.zip"
rm -f "$zip_file"
chmod 644 "$staging"/*
touch -d "@$SOURCE_DATE_EPOCH" "$staging"/*
(cd "$staging" && TZ=UTC zip -q -X -9 "$zip_file" quillomar.exe Quillomar.htm License.txt)

# The installer, beside the zip.
msi_file="$PWD/$build/quillomar-$version-win32.msi"
bash packaging/windows/build_msi.sh "$staging" "$version" "$msi_file"
[ "$signing" -eq 0 ] || sign "$msi_file"

echo "build_windows: $exe (with debugging symbols; the shipped copies have none, they are in $debug_file)"
echo "build_windows: $zip_file"
echo "build_windows: $msi_file"
if [ "$signing" -eq 1 ]; then
  echo "build_windows: the shipped program and the installer are signed with $QUILLOMAR_SIGN_CERT"
else
  echo "build_windows: the shipped program and the installer are NOT signed" \
    "(set QUILLOMAR_SIGN_CERT and QUILLOMAR_SIGN_KEY to sign them)"
fi
