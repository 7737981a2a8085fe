#!/usr/bin/env bash
# Builds the Windows Installer package of the Windows program with wixl
# (msitools) from quillomar.wxs beside this script:
#
#   build_msi.sh <folder> <version> <package.msi>
#
# <folder> holds quillomar.exe, Quillomar.htm, License.txt and quillomar.ico.
# The package is the same, byte for byte, for the same files, version and
# SOURCE_DATE_EPOCH (default: now): its product and package codes are worked
# out from what it holds, and its times and those of the files in it are
# SOURCE_DATE_EPOCH. Needs wixl and Debian's python3-olefile.
set -euo pipefail

folder=$1
version=$2
package=$3
here=$(cd "$(dirname "$0")" && pwd)
epoch=${SOURCE_DATE_EPOCH:-$(date +%s)}
# Debian's Python, which has Debian's olefile.
python=/usr/bin/python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The cabinet stores each file's modification time.
for file in quillomar.exe Quillomar.htm License.txt quillomar.ico; do
  install -m 644 "$folder/$file" "$work/$file"
  touch -d "@$epoch" "$work/$file"
done

# The first version above this one (a.b -> a.b.1, a.b.c -> a.b.c+1), and
# the codes, each named from the version and a digest of the files.
codes=$("$python" - "$version" "$work" "$here/quillomar.wxs" <<'PY'
import hashlib, pathlib, sys, uuid
version, folder, source = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
fields = [int(f) for f in version.split(".")] + [0, 0]
upper = f"{fields[0]}.{fields[1]}.{fields[2] + 1}"
digest = hashlib.sha256(version.encode())
for path in [source] + sorted(folder.iterdir()):
    digest.update(path.name.encode() + b"\0" + path.read_bytes())
namespace = uuid.UUID("B4920A17-1787-488F-AB2A-F4E5D329D809")  # the upgrade code
code = lambda kind: "{" + str(uuid.uuid5(namespace, kind + digest.hexdigest())).upper() + "}"
print(upper, code("product "), code("package "))
PY
)
read -r upgrade_max product_code package_code <<<"$codes"

# wixl finds files by names relative to its working folder.
(cd "$work" && wixl --arch x86 -D Version="$version" -D UpgradeMax="$upgrade_max" \
  -D ProductCode="$product_code" -D SourceDir=. -o package.msi "$here/quillomar.wxs")
"$python" "$here/msi_summary.py" "$work/package.msi" "$package_code" "$epoch"
mv "$work/package.msi" "$package"
