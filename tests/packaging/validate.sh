#!/bin/sh
# validate.sh TOOL [ARGUMENTS...] FILE: runs a validator on a file we ship;
# skipped (77) when the validator is not installed.
command -v "$1" >/dev/null 2>&1 || { echo "SKIP: $1 is not installed"; exit 77; }
exec "$@"
