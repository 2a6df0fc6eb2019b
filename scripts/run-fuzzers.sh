#!/usr/bin/env bash
# Runs every libFuzzer target (or the named ones) for the given number of seconds each,
# from its seed corpus under fuzz/corpus/<target>, and prints a summary line per target.
# An input that makes a target fail is kept in fuzz/findings/<target>/; move it to
# fuzz/regressions/<target>/ under a name that says what it broke, so the suite replays it.
set -uo pipefail
build=$1; seconds=$2; shift 2
findings=$(pwd)/fuzz/findings
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -executable -name 'fuzz-*' -printf '%f\n' | sort)
fi
status=0
for t in "${targets[@]}"; do
  corpus=$(mktemp -d)
  [ -d "fuzz/corpus/$t" ] && cp -r "fuzz/corpus/$t/." "$corpus/"
  log=$(mktemp)
  mkdir -p "$findings/$t"
  OMBRELUNE_HOME=$(mktemp -d) "$build/fuzz/$t" "$corpus" -max_total_time="$seconds" -timeout=10 \
     -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/$t/" >"$log" 2>&1
  rc=$?
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1)
  echo "$t: exit $rc, ${runs:-?} executions, ${cov:-cov: ?}, corpus $(ls "$corpus" | wc -l)"
  if [ $rc -ne 0 ]; then status=1; grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5; fi
  rm -rf "$corpus" "$log"
  rmdir "$findings/$t" 2>/dev/null
done
rmdir "$findings" 2>/dev/null
exit $status
