#!/usr/bin/env bash
# Text where the usual fonts are missing: a fresh Wine prefix of its own, without the fonts the
# build's prefix copies in and without its font replacements (no Tahoma, no Arial, no generic
# sans-serif family). The chosen tests of each executable run there; they draw notes, the
# cannot-load message and button faces and look for their ink. WORK_DIR is named after the test;
# every process of the prefix ends with the script (PrivatePrefix.sh).
#   FontlessPrefixTest.sh WORK_DIR TEST_EXE GTEST_FILTER [TEST_EXE GTEST_FILTER]...
set -euo pipefail

WORK=$(realpath -m "$1")
shift
. "$(dirname "${BASH_SOURCE[0]}")/PrivatePrefix.sh"
# The tests check first that the prefix really lacks those fonts.
export LUMETTA_FONTLESS=1

rm -rf "$WORK"
mkdir -p "$WORK"
# Its helper processes stay up for the tests below, their output in the log.
wineboot -i >>"$LOG" 2>&1 </dev/null || true

failed=0
while [ $# -ge 2 ]; do
  echo "== $(basename "$1") --gtest_filter=$2"
  wine "$1" --gtest_filter="$2" --gtest_brief=1 </dev/null 2>>"$LOG" | tr -d '\r' || failed=1
  shift 2
done
[ "$failed" = 0 ] || echo "Wine's output is in $LOG"
exit "$failed"
