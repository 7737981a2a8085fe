# Sourced by the scripts that make what we ship. Exports SOURCE_DATE_EPOCH,
# the time that every date in a package, archive or installer takes, so
# that two builds of one commit give the same bytes: when it is not set
# already, the time of the last commit, or outside a Git checkout the date
# of the latest entry of packaging/changelog.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$(dirname "${BASH_SOURCE[0]}")/.." log -1 --format=%ct 2>/dev/null ||
    date -d "$(sed -n 's/^ -- .*>  //p' "$(dirname "${BASH_SOURCE[0]}")/../packaging/changelog" | head -n1)" +%s)
fi
export SOURCE_DATE_EPOCH
