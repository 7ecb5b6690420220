#!/usr/bin/env bash
# Times the whole quorvel-probe process on a million-item lab series beside a
# process that only reads the same file in bulk and sums it with from_chars,
# process start included, and prints how many times slower the probe is.
#   bench/probe_vs_from_chars.sh [build dir] [items]
set -euo pipefail
"$(dirname "$0")/../tools/install-deps.sh" bench
build=${1:-build/release}
items=${2:-1000000}
data=$(mktemp)
json=$(mktemp)
trap 'rm -f "$data" "$json"' EXIT
"$build/bench/quorvel-lab-series" "$items" > "$data"
echo "data: $items items, $(stat -c %s "$data") bytes"
hyperfine --warmup 3 --min-runs 20 --export-json "$json" \
  -n quorvel-probe "$build/tools/quorvel-probe < $data" \
  -n from_chars "$build/bench/quorvel-from-chars-baseline < $data"
python3 - "$json" <<'PY'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
probe, bare = runs["quorvel-probe"], runs["from_chars"]
print(f"quorvel-probe {probe['mean'] * 1000:.1f} ms, from_chars process "
      f"{bare['mean'] * 1000:.1f} ms: probe / from_chars = {probe['mean'] / bare['mean']:.2f}x")
PY
