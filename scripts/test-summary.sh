#!/usr/bin/env bash
# Adds up the test cases of every test program of the given build folders and prints
# "N passed, N failed". A test without a report of test cases (a fuzz target) counts as one
# case, passed or failed as CTest saw it; a GoogleTest program that left no report, or that
# CTest saw fail although its report shows no failure (a crash or a sanitizer finding at
# exit), counts one failure.
set -euo pipefail
passed=0
failed=0
for build in "$@"; do
    failed_list="$build/Testing/Temporary/LastTestsFailed.log"
    while read -r name; do
        report="$build/test-reports/$name.xml"
        ctest_failed=0
        [ -f "$failed_list" ] && grep -q ":$name\$" "$failed_list" && ctest_failed=1
        if [ ! -f "$report" ]; then
            if [ "$ctest_failed" = 0 ] && [[ "$name" == *_fuzz ]]; then
                passed=$((passed + 1))
            else
                echo "  $(basename "$build")/$name: no report" >&2
                failed=$((failed + 1))
            fi
            continue
        fi
        head=$(grep -m1 -o '<testsuites [^>]*' "$report")
        attr() { sed -n "s/.* $1=\"\([0-9]*\)\".*/\1/p" <<<"$head"; }
        tests=$(attr tests); fails=$(attr failures); errors=$(attr errors); disabled=$(attr disabled)
        skipped=$(grep -c '<skipped' "$report" || true)
        bad=$((fails + errors))
        passed=$((passed + tests - bad - disabled - skipped))
        if [ "$bad" = 0 ] && [ "$ctest_failed" = 1 ]; then
            echo "  $(basename "$build")/$name: failed after its test cases passed" >&2
            bad=1
        fi
        failed=$((failed + bad))
    done < <(ctest --test-dir "$build" -N 2>/dev/null | sed -n 's/^ *Test *#[0-9]*: *//p')
done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
