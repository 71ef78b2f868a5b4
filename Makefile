# Velkari's front door.
#   make run         build and start velkari.exe (under Wine on Linux)
#   make test        build everything and run every test
#   make screenshot  picture of the main window: build/screenshots/main.png, and at 150 %
#                    and 200 % display scale main-144.png and main-192.png
#   make bench       build and run the benchmarks
#   make fuzz        libFuzzer over the core for a bounded time (FUZZ_SECONDS, default 60)
#   make dist        build/dist/velkari-VERSION-win64.zip (velkari.exe, velkari-cli.exe) and
#                    their .debug files, after tools/check-release read both back
#   make deps        install the Debian packages the build and the tests need
#   make clean

SHELL := /bin/bash
HOST_DIR := build/host
WIN_DIR := build/win
JOBS ?= $(shell nproc)

PACKAGES := cmake make g++ doctest-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
	wine wine64 xvfb xauth xdotool x11-utils fonts-wine fonts-liberation imagemagick sox \
	multimon-ng clang-format pulseaudio pulseaudio-utils scowl zip \
	zlib1g-dev

.PHONY: all deps build host win win-configure run test test-host test-win screenshot bench dist fuzz install-packages clean

all: build

FUZZ_PACKAGES := clang libclang-rt-14-dev

deps:
	@$(MAKE) --no-print-directory install-packages WANTED="$(PACKAGES)"

install-packages:
	@missing=$$(for p in $(WANTED); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  export DEBIAN_FRONTEND=noninteractive; \
	  apt-get update -qq && apt-get install -y -qq --no-install-recommends $$missing </dev/null; \
	fi

host: deps
	cmake -S . -B $(HOST_DIR) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(HOST_DIR) -j $(JOBS)

# The Windows tree runs the host tree's resgen to draw its bitmaps and icon, so the host
# tree is built first (also under make -j).
win-configure: host
	cmake -S . -B $(WIN_DIR) --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DVELKARI_RESGEN=$(CURDIR)/$(HOST_DIR)/resgen >/dev/null

win: win-configure
	cmake --build $(WIN_DIR) -j $(JOBS)

build: host win

test: build
	@set -o pipefail; status=0; \
	ctest --test-dir $(HOST_DIR) --output-on-failure -j $(JOBS) || status=1; \
	tools/with-xvfb tools/with-pulse tools/ctest-repeat --test-dir $(WIN_DIR) --output-on-failure \
	  || status=1; \
	if [ $$status -ne 0 ]; then echo "make test: FAILED"; exit 1; fi

run: win
	@if [ -z "$$DISPLAY" ] && [ "$$(uname -s)" = Linux ]; then \
	  echo "make run: velkari.exe is a desktop program and needs an X display (DISPLAY is not set)."; \
	  echo "Without a display, 'make screenshot' starts it in a virtual one and saves a picture."; \
	  exit 1; \
	fi
	VELKARI_BUILD_DIR=$(CURDIR)/$(WIN_DIR) tools/wine-prefix start
	VELKARI_BUILD_DIR=$(CURDIR)/$(WIN_DIR) tools/wine-run $(WIN_DIR)/velkari.exe; \
	  status=$$?; VELKARI_BUILD_DIR=$(CURDIR)/$(WIN_DIR) tools/wine-prefix stop; exit $$status

SCREENSHOT_DPIS := 144 192
screenshot: win
	VELKARI_BUILD_DIR=$(CURDIR)/$(WIN_DIR) tools/screenshot $(WIN_DIR)/velkari.exe build/screenshots/main.png
	@for dpi in $(SCREENSHOT_DPIS); do \
	  VELKARI_BUILD_DIR=$(CURDIR)/$(WIN_DIR)/dpi$$dpi VELKARI_DPI=$$dpi \
	    tools/screenshot $(WIN_DIR)/velkari.exe build/screenshots/main-$$dpi.png || exit 1; \
	done

# Benchmarks run from optimised builds: the core natively without sanitizers, then the
# Windows ones under Wine, side by side, with a sound output (the tones take their real time).
BENCH_DIR := build/bench-host
bench: win
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DVELKARI_SANITIZE=OFF >/dev/null
	cmake --build $(BENCH_DIR) -j $(JOBS) >/dev/null
	@for b in $(BENCH_DIR)/bench_*; do [ -x "$$b" ] && "$$b"; done; \
	VELKARI_BUILD_DIR=$(CURDIR)/$(WIN_DIR) tools/with-xvfb tools/with-pulse bash -c \
	  'tools/wine-prefix start && for b in $(WIN_DIR)/bench_*.exe; do tools/wine-run "$$b"; done; \
	   bench/cli/bench_cli.sh $(BENCH_DIR)/velkari-cli $(WIN_DIR)/velkari-cli.exe; \
	   tools/wine-prefix stop && echo "the same with the program and the wineserver on one CPU:" && \
	   taskset -c 0 tools/wine-prefix start && taskset -c 0 tools/wine-run $(WIN_DIR)/bench_startup.exe && \
	   tools/wine-prefix stop && tools/count-requests $(WIN_DIR)/bench_startup.exe; \
	   status=$$?; tools/wine-prefix stop; exit $$status'

FUZZ_SECONDS ?= 60
fuzz:
	@$(MAKE) --no-print-directory install-packages WANTED="$(FUZZ_PACKAGES)"
	tools/fuzz $(FUZZ_SECONDS)

dist: win-configure
	cmake --build $(WIN_DIR) -j $(JOBS) --target dist

clean:
	rm -rf build
