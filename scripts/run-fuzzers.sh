#!/usr/bin/env bash
# Runs every fuzz target over its seed corpus and then for a while longer:
# run-fuzzers.sh <folder of the programs> <corpus folder> <seconds per target>.
# New inputs and any crash go to a scratch folder; the seeds in the repository stay as they are.
set -euo pipefail
programs=$1 corpus=$2 seconds=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen
status=0
for program in "$programs"/fuzz_*; do
    [ -f "$program" ] && [ -x "$program" ] || continue # not the build's folders beside them
    name=$(basename "$program")
    target=${name#fuzz_}
    mkdir -p "$scratch/$target"
    echo "== $target: seeds, then ${seconds} s"
    if ! "$program" "$scratch/$target" "$corpus/$target" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=4096 -max_len=65536 -artifact_prefix="$scratch/$target-" \
        -print_final_stats=1 >"$scratch/$target.log" 2>&1; then
        status=1
        tail -n 60 "$scratch/$target.log"
        for artifact in "$scratch/$target"-*; do
            [ -e "$artifact" ] && echo "finding: $(basename "$artifact") $(base64 -w0 "$artifact" | head -c 2000)"
        done
    else
        grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$scratch/$target.log" || true
    fi
done
exit $status
