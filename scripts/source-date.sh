# Sourced by the packaging scripts: SOURCE_DATE_EPOCH, the one time every file of a package
# carries, so that the same commit packs the same bytes: the last commit's time (or the one
# the caller set; outside a git checkout, the time of CMakeLists.txt).
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) ||
    SOURCE_DATE_EPOCH=$(stat -c %Y "$root/CMakeLists.txt")
fi
export SOURCE_DATE_EPOCH
