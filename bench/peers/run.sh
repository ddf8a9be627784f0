#!/usr/bin/env bash
# Runs the side-by-side harness with peer_ours added, logs the run as
# bench/results/<YYYY-MM-DD-HHMM>.jsonl (UTC) and refreshes the table in README.md.
# Env: PEERS_DIR (default ../shared/bench-peers from the repository root),
#      BUILD_DIR (default build, where bench/peer_ours is built),
#      WORK (the harness's builds and output, default $TMPDIR/qvplot2d-bench-peers; kept so
#      the peers build only once and the PNGs can be looked at),
#      WORKLOADS, NS, LIMIT, W, H, ONLY go to the harness unchanged.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# Folders given in the environment are taken from where the script was called.
[[ -n "${PEERS_DIR:-}" && "$PEERS_DIR" != /* ]] && PEERS_DIR=$PWD/$PEERS_DIR
[[ -n "${BUILD_DIR:-}" && "$BUILD_DIR" != /* ]] && BUILD_DIR=$PWD/$BUILD_DIR
[[ -n "${WORK:-}" && "$WORK" != /* ]] && WORK=$PWD/$WORK
cd "$ROOT"

PEERS_DIR=${PEERS_DIR:-$ROOT/../shared/bench-peers}
if [ ! -x "$PEERS_DIR/run_all.sh" ]; then
  echo "run.sh: no harness at $PEERS_DIR/run_all.sh (set PEERS_DIR)" >&2
  exit 1
fi
BUILD_DIR=${BUILD_DIR:-build}
# The harness changes directory, so it needs an absolute path.
if ! BUILD_ABS=$(cd "$BUILD_DIR" 2>/dev/null && pwd) || [ ! -x "$BUILD_ABS/bench/peer_ours" ]; then
  echo "run.sh: $BUILD_DIR/bench/peer_ours is not built (make build, or set BUILD_DIR)" >&2
  exit 1
fi
OURS=$BUILD_ABS/bench/peer_ours
if [[ "$OURS" == *[[:space:]]* ]]; then
  echo "run.sh: the harness splits commands at spaces; $OURS has one" >&2
  exit 1
fi
export WORK=${WORK:-${TMPDIR:-/tmp}/qvplot2d-bench-peers}

mkdir -p bench/results
LOG=bench/results/$(date -u +%Y-%m-%d-%H%M).jsonl
# Checked now, not after ten minutes of measuring.
if [ -e "$LOG" ]; then
  echo "run.sh: $LOG exists already; wait a minute" >&2
  exit 1
fi

EXTRA="ours aa $OURS; ours noaa $OURS" "$PEERS_DIR/run_all.sh"

OUT=$WORK/out
if ! grep -q '^{' "$OUT/results.jsonl"; then
  echo "run.sh: the harness logged no runs in $OUT/results.jsonl" >&2
  exit 1
fi
# Written aside first so an interrupted run leaves no half log behind.
{
  grep '^# ' "$OUT/versions.txt" || true
  grep '^{' "$OUT/results.jsonl"
} > "$LOG.part"
mv "$LOG.part" "$LOG"
echo
echo "logged $LOG (pictures in $OUT)"
echo
/usr/bin/python3 bench/peers/table.py "$LOG" --readme README.md
