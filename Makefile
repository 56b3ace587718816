# The two commands a new user needs: `make demo` and `make test`.
# Everything else (packages, Windows libraries, Wine prefixes) is set up on the way.
SHELL := /bin/bash
CMAKE_QUIET := -Wno-dev --log-level=WARNING

.PHONY: all setup deps build build-host build-win32 build-win64 build-win64-tests art test test-host test-fuzz test-windows \
	test-win32 test-win64 demo bench fuzz clean

all: build

setup:
	@tools/setup.sh

deps: setup
	@tools/build-win-deps.sh win32
	@tools/build-win-deps.sh win64

build/host/CMakeCache.txt: | setup
	@cmake --preset host $(CMAKE_QUIET) >/dev/null
build/win32/CMakeCache.txt: | deps
	@cmake --preset win32 $(CMAKE_QUIET) >/dev/null
build/win64/CMakeCache.txt: | deps
	@cmake --preset win64 $(CMAKE_QUIET) >/dev/null
build/fuzz/CMakeCache.txt: | setup
	@cmake --preset fuzz $(CMAKE_QUIET) >/dev/null
build/host-bench/CMakeCache.txt: | setup
	@cmake --preset host-bench $(CMAKE_QUIET) >/dev/null

build-host: setup build/host/CMakeCache.txt
	@cmake --build --preset host
build-win32: deps build/win32/CMakeCache.txt
	@cmake --build --preset win32
build-win64: deps build/win64/CMakeCache.txt
	@cmake --build --preset win64

build: build-host build-win32 build-win64

# What the Windows tests need of the win64 build (all of it only where the
# machine cannot run i386 programs; see tools/build-win64-tests.sh).
build-win64-tests: deps build/win64/CMakeCache.txt
	@tools/build-win64-tests.sh

# The product's artwork and its packs, made on the host (the Windows tests,
# the gallery and the benchmarks read them).
art: setup build/host/CMakeCache.txt
	@cmake --build --preset host --target art

test-host: build-host
	@ctest --preset host

test-fuzz: setup build/fuzz/CMakeCache.txt
	@cmake --build --preset fuzz
	@ctest --preset fuzz

# The Windows tests run under the Wine this machine can execute: the win32
# build under 32-bit Wine and the 64-bit camera beside it where i386 programs
# run, otherwise the whole win64 build under 64-bit Wine.
test-windows: art build-win32 build-win64-tests
	@tools/test-windows.sh

# One Windows build's whole suite, whatever the machine (for developers).
test-win32: art build-win32
	@tools/run-wine.sh ctest --preset win32
test-win64: art build-win64
	@tools/run-wine.sh --win64 ctest --preset win64

# The host and win32 builds first (win64 as far as its tests need it), then the
# host tests natively (ASan + UBSan), short fuzz
# runs and the Windows tests under Wine with an X server for the window tests.
# One make run, so setup and the Windows libraries are checked once.
test: build-host build-win32 test-host test-fuzz test-windows

demo: art build-win32 build-win64
	@tools/demo-all.sh

bench: setup deps art build/host-bench/CMakeCache.txt build/win32/CMakeCache.txt build/win64/CMakeCache.txt
	@cmake --build --preset host-bench
	@cmake --build --preset win32-bench
	@cmake --build --preset win64-bench
	@tools/run-benches.sh

# Longer fuzz runs: FUZZ_SECONDS per target (default 120).
fuzz: setup build/fuzz/CMakeCache.txt
	@cmake --build --preset fuzz
	@tools/run-fuzzers.sh $${FUZZ_SECONDS:-120}

clean:
	@tools/wine-run.sh --kill
	@tools/wine-run.sh --win64 --kill
	rm -rf build/host build/host-bench build/fuzz build/win32 build/win64
