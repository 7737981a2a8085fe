#!/usr/bin/env bash
# Signs a build of the Windows program with a throw-away code-signing
# certificate made here, then checks with osslsigncode that the shipped
# program (in the zip, and inside the installer) and the installer carry
# valid Authenticode signatures by that certificate. Leaves the signed zip
# and installer in the build folder (scripts/build_windows.sh).
#   QUILLOMAR_WIN32_GUI_BUILD   the Windows program's build folder (default build/win32)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLOMAR_WIN32_GUI_BUILD:-build/win32}
bash scripts/install_missing.sh openssl osslsigncode msitools unzip
scratch=$(mktemp -d /tmp/quillomar-signing-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
subject="/CN=Quillomar test signing/O=Quillomar Developers"

# A self-signed certificate for code signing, valid for a day, with its key
# under a passphrase, as a real one would be.
password=throw-away
openssl req -x509 -newkey rsa:2048 -days 1 -subj "$subject" \
  -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  -passout "pass:$password" -keyout "$scratch/key.pem" -out "$scratch/certificate.pem" 2>/dev/null

QUILLOMAR_SIGN_CERT="$scratch/certificate.pem" QUILLOMAR_SIGN_KEY="$scratch/key.pem" \
  QUILLOMAR_SIGN_KEY_PASSWORD=$password bash scripts/build_windows.sh

version=$(sed -n 's/^project(Quillomar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
msi="$build/quillomar-$version-win32.msi"
mkdir "$scratch/zip" "$scratch/msi"
unzip -q "$build/quillomar-$version-win32.zip" quillomar.exe -d "$scratch/zip"
msiextract -C "$scratch/msi" "$msi" >/dev/null
installed_exe=$(find "$scratch/msi" -name quillomar.exe)

failures=0
for file in "$scratch/zip/quillomar.exe" "$installed_exe" "$msi"; do
  name=${file#"$scratch/"}
  if osslsigncode verify -CAfile "$scratch/certificate.pem" -in "$file" >"$scratch/verify.log" 2>&1 &&
     grep -qF "Subject: $subject" "$scratch/verify.log"; then
    echo "signing_check: ok   $name is signed by the test certificate"
  else
    cat "$scratch/verify.log"
    echo "signing_check: FAIL $name"
    failures=$((failures + 1))
  fi
done
if [ "$failures" -ne 0 ]; then
  echo "signing_check: $failures signatures failed"
  exit 1
fi
echo "signing_check: all signatures verified"
