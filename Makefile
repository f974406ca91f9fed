# make run   : set up, build and start the search bar
# make check : set up, build both configurations and pass every test, the sanitizer build's
#              tests and a short run of every fuzz target
# make fuzz   : run every fuzz target longer (FUZZ_SECONDS each)
# make dist-win32 / dist-linux : the Windows zip / the Debian package, into build/dist
# make screenshots : pictures of both front ends into docs/ (Xvfb and Wine)
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: all setup configure build build-linux build-win32 check test-linux test-win32 test-win64 run bench clean \
	test-asan fuzz fuzz-short check-linux-side dist-win32 dist-linux screenshots

all: build

setup:
	@scripts/setup-machine.sh

configure: setup
	@[ -f build/linux/build.ninja ] || cmake --preset linux >/dev/null
	@[ -f build/win32/build.ninja ] || cmake --preset win32 >/dev/null

build-linux: setup
	@[ -f build/linux/build.ninja ] || cmake --preset linux >/dev/null
	@cmake --build --preset linux -j $(JOBS)

build-win32: setup
	@[ -f build/win32/build.ninja ] || cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j $(JOBS)

build: build-linux build-win32

test-linux: build-linux
	@ctest --preset linux -j $(JOBS)

# The Wine runs share one prefix and one display: one test at a time. Where the kernel does not
# start 32-bit programs, the same tests run on the 64-bit build of the same sources under 64-bit
# Wine, and the 32-bit program is only built.
test-win32: build-win32
	@if scripts/runs-32-bit-programs.sh; then ctest --preset win32 -j 1; else \
	  echo "test-win32: this machine does not run 32-bit programs; testing the 64-bit build"; \
	  ctest --preset win32 -R 'win32_velto_exe_(format|size)' && \
	  $(MAKE) --no-print-directory test-win64; fi

test-win64: setup
	@[ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null
	@cmake --build --preset win64 -j $(JOBS)
	@ctest --preset win64 -j 1

# The whole Linux suite built with AddressSanitizer and UndefinedBehaviorSanitizer; tests labelled
# no_asan (timings of the real program, the long runs over the accessibility bus) are left out.
test-asan: setup
	@[ -f build/linux-asan/build.ninja ] || cmake --preset linux-asan >/dev/null
	@$(NICE) cmake --build --preset linux-asan -j $(JOBS)
	@ctest --preset linux-asan -j $(JOBS)

FUZZ_SECONDS ?= 300
fuzz-short: setup
	@JOBS=$(JOBS) fuzz/run-fuzzers.sh 25

fuzz: setup
	@JOBS=$(JOBS) fuzz/run-fuzzers.sh $(FUZZ_SECONDS)

# The Windows suite mostly waits on the programs it drives, on a display and in a prefix of its
# own: it runs beside the Linux suite, the sanitizer build and the fuzzing, whose compiling runs
# at a low priority so that the driven programs still answer at once.
check: build
	@$(MAKE) --no-print-directory -j 2 --output-sync=line test-win32 check-linux-side

check-linux-side: test-linux
	@$(MAKE) --no-print-directory NICE="nice -n 15" test-asan
	@NICE="nice -n 15" JOBS=$(JOBS) fuzz/run-fuzzers.sh 25

run: build-linux
	@scripts/run-velto.sh

bench: build
	@scripts/runs-32-bit-programs.sh || { [ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null; \
	  cmake --build --preset win64 -j $(JOBS); }
	@scripts/bench.sh

clean:
	rm -rf build

# velto.exe, velto-config.exe, Help.html and the factory velto.ini, ready to unpack and run.
dist-win32: build-win32
	@cmake --build --preset win32 --target velto_zip
	@mkdir -p build/dist && cp build/win32/dist/velto-*-win32.zip build/dist/
	@ls build/dist/velto-*-win32.zip

# The Debian package (installs with: apt-get install ./build/dist/velto_*.deb).
dist-linux: build-linux
	@cpack --config build/linux/CPackConfig.cmake -G DEB -B build/dist >/dev/null
	@rm -rf build/dist/_CPack_Packages
	@ls build/dist/velto_*.deb

screenshots: build
	@scripts/runs-32-bit-programs.sh || { [ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null; \
	  cmake --build --preset win64 -j $(JOBS); }
	@scripts/screenshots.sh
