#!/usr/bin/env bash
# Builds the native release build and runs the report benchmarks.
source "$(dirname "${BASH_SOURCE[0]}")/errors.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/build.sh native
build/native/tests/ostrel_benchmarks "$@"
