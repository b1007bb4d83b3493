#!/usr/bin/env bash
# Configures and builds the given builds of Ostrel under build/: native, sanitize, win32, win64,
# and fuzz (the libFuzzer targets, with clang; tools/fuzz.sh runs them). With --programs, only the
# two programs Ostrel.exe and ostrel-report (what tools/package.sh ships), not the tests.
#   tools/build.sh native win32
#   tools/build.sh --programs win32 win64
source "$(dirname "${BASH_SOURCE[0]}")/errors.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

programs=0
if [[ ${1:-} == --programs ]]; then
    shift
    programs=1
fi

for build in "$@"; do
    case $build in
        native) options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
        sanitize) options=(-DCMAKE_BUILD_TYPE=Debug -DOSTREL_SANITIZE=ON) ;;
        win32) options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake) ;;
        win64) options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake) ;;
        fuzz) options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREL_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14) ;;
        *) echo "build.sh: unknown build '$build' (native, sanitize, win32, win64, fuzz)" >&2; exit 2 ;;
    esac
    # Configured once; the build itself configures again when a CMakeLists.txt changes.
    [[ -f "build/$build/CMakeCache.txt" ]] || cmake -S . -B "build/$build" "${options[@]}" >/dev/null
    targets=()
    if [[ $programs -eq 1 ]]; then
        targets=(--target ostrel-report)
        [[ $build != win* ]] || targets+=(Ostrel)  # the desktop program is a Windows one only
    fi
    cmake --build "build/$build" -j"$(nproc)" ${targets[@]+"${targets[@]}"}
done
