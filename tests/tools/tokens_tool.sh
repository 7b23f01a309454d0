#!/usr/bin/env bash
# The token tool refuses what is not a regular file and reports a failed write of its output.
# Usage: tokens_tool.sh TOOL SAMPLE
set -u
tool=$1 sample=$2
status=0
expect() {  # expect CODE TEXT COMMAND...: the exit code and a text its error output contains
    local code=$1 text=$2; shift 2
    local err; err=$(timeout 10 "$@" 2>&1 >/dev/null); local got=$?
    if [ "$got" -ne "$code" ] || [[ "$err" != *"$text"* ]]; then
        echo "FAIL: $* gave $got ($err), expected $code with \"$text\""; status=1
    fi
}
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/fifo"
expect 1 "is not a regular file" "$tool" /dev/zero
expect 1 "is not a regular file" "$tool" "$dir/fifo"
expect 1 "is not a regular file" "$tool" "$dir"
if [ -w /dev/full ]; then
    err=$(timeout 10 "$tool" "$sample" 2>&1 >/dev/full); got=$?
    if [ "$got" -ne 1 ] || [[ "$err" != *"cannot write the dump"* ]]; then
        echo "FAIL: a dump to a full disk gave $got ($err)"; status=1
    fi
fi
expect 0 "" "$tool" "$sample"
[ $status -eq 0 ] && echo "tokens tool: every case passed"
exit $status
