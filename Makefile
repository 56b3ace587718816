# The two commands a new user needs: `make demo` and `make test`.
# Everything else (packages, Windows libraries, Wine prefix) is set up on the way.
SHELL := /bin/bash
CMAKE_QUIET := -Wno-dev --log-level=WARNING

.PHONY: all setup deps build build-host build-win32 test test-host test-fuzz test-win32 demo bench fuzz clean

all: build

setup:
	@tools/setup.sh

deps: setup
	@tools/build-win32-deps.sh

build/host/CMakeCache.txt: | setup
	@cmake --preset host $(CMAKE_QUIET) >/dev/null
build/win32/CMakeCache.txt: | deps
	@cmake --preset win32 $(CMAKE_QUIET) >/dev/null
build/fuzz/CMakeCache.txt: | setup
	@cmake --preset fuzz $(CMAKE_QUIET) >/dev/null
build/host-bench/CMakeCache.txt: | setup
	@cmake --preset host-bench $(CMAKE_QUIET) >/dev/null

build-host: setup build/host/CMakeCache.txt
	@cmake --build --preset host
build-win32: deps build/win32/CMakeCache.txt
	@cmake --build --preset win32

build: build-host build-win32

test-host: build-host
	@ctest --preset host

test-fuzz: setup build/fuzz/CMakeCache.txt
	@cmake --build --preset fuzz
	@ctest --preset fuzz

test-win32: build-win32
	@tools/run-win32.sh ctest --preset win32

# Both builds first, then the host tests natively (ASan + UBSan), short fuzz
# runs and the Windows tests under Wine with an X server for the window tests.
# One make run, so setup and the Windows libraries are checked once.
test: build test-host test-fuzz test-win32

demo: build-win32
	@tools/run-win32.sh tools/demo.sh

bench: setup deps build/host-bench/CMakeCache.txt build/win32/CMakeCache.txt
	@cmake --build --preset host-bench
	@cmake --build --preset win32-bench
	@tools/run-win32.sh tools/run-benches.sh

# Longer fuzz runs: FUZZ_SECONDS per target (default 120).
fuzz: setup build/fuzz/CMakeCache.txt
	@cmake --build --preset fuzz
	@tools/run-fuzzers.sh $${FUZZ_SECONDS:-120}

clean:
	@tools/wine-run.sh --kill
	rm -rf build/host build/host-bench build/fuzz build/win32
