#!/bin/sh
# Lines of code against lines of tests: non-blank lines that are not wholly a comment, of C++, Python,
# JavaScript and shell. Code is src/ and tools/; tests are tests/, fuzz/ and the scripts that exist only
# to test (this one, the mutation and sanitizer runs, the fuzz driver). The house aim: tests a quarter to
# a third of the code.
set -eu
cd "$(dirname "$0")/.."
count() {
  git ls-files -co --exclude-standard -- "$@" | grep -E '\.(cpp|h|hpp|c|py|js|mjs|sh)$' |
    xargs -r cat | grep -v -E '^\s*$|^\s*(//|#\s|#$|#!|\*|/\*)' | wc -l
}
code=$(count src tools)
tests=$(count tests fuzz scripts/count-lines.sh scripts/mutation.py scripts/sanitize.sh scripts/fuzz.sh)
echo "code $code, tests $tests: tests are $((tests * 100 / code))% of the code"
