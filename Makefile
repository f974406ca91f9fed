# make run   : set up, build and start the search bar
# make check : set up, build both configurations and pass every test
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: all setup configure build build-linux build-win32 check test-linux test-win32 run bench clean

all: build

setup:
	@scripts/setup-machine.sh

configure: setup
	@[ -f build/linux/build.ninja ] || cmake --preset linux >/dev/null
	@[ -f build/win32/build.ninja ] || cmake --preset win32 >/dev/null

build-linux: setup
	@[ -f build/linux/build.ninja ] || cmake --preset linux >/dev/null
	@cmake --build build/linux -j $(JOBS)

build-win32: setup
	@[ -f build/win32/build.ninja ] || cmake --preset win32 >/dev/null
	@cmake --build build/win32 -j $(JOBS)

build: build-linux build-win32

test-linux: build-linux
	@cd build/linux && ctest --output-on-failure -j $(JOBS) --timeout 300

test-win32: build-win32
	@cd build/win32 && ctest --output-on-failure -j 1 --timeout 600

check: build test-linux test-win32

run: build-linux
	@scripts/run-velto.sh

bench: build
	@scripts/bench.sh

clean:
	rm -rf build
