#!/bin/bash
# What a GoogleTest program run under wine said: its skipped rows and tests with their reasons,
# its summary, and on failure its failures; exits 1 then.
#   tools/wine_test_report.sh LOG STATUS WHAT        (WHAT: « du cœur », « des fenêtres »)
set -uo pipefail
log=$1 status=$2 what=$3
grep -E '^\[ ROW SKIP \]' "$log"
grep -E '^\[  SKIPPED \] [A-Za-z]' "$log" | grep -v ' ms)'
awk '/: Skipped$/ { getline why; print "  reason: " why }' "$log" | sort -u
grep -E '^\[  (PASSED|FAILED) +\]' "$log" | grep -v ' ms)'
if [ "$status" -ne 0 ]; then
  grep -B5 -A15 'Failure' "$log" | head -120 || tail -20 "$log"
  echo "Windows (wine) : des tests $what échouent (journal : $log)"
  exit 1
fi
echo "Windows (wine) : tous les tests $what passent ($(grep -c '^\[       OK \]' "$log") réussis)"
