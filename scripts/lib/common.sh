# Sourced by the scripts: paths of this checkout and small helpers.
ZR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ZR_BUILD="${ZR_BUILD:-$ZR_ROOT/build}"
zr_say() { printf '\033[1m== %s\033[0m\n' "$*"; }
zr_jobs() { nproc 2>/dev/null || echo 2; }
