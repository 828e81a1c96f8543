# The two commands of the README:
#   make run    install what is missing, build, start the clock under wine
#   make test   install what is missing, build both, run every test
# Further: make host, make win, make dist, make bench, make clean.

# BUILD picks another build tree (make test BUILD=build/mine): its own host and
# Windows builds, test results and wine prefix, so that builds can run side by side.
BUILD ?= build
export QUOREL_BUILD := $(abspath $(BUILD))
HOST_DIR := $(BUILD)/host
WIN_DIR := $(BUILD)/win

.PHONY: all deps host win dist test run bench clean

all: win

deps:
	@scripts/install-deps.sh

host: deps
	@cmake -S . -B $(HOST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(HOST_DIR)

# The Windows build uses host tools (generators), so it comes after the host build.
win: host
	@cmake -S . -B $(WIN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake -DQUOREL_HOST_BIN=$(abspath $(HOST_DIR))/bin >/dev/null
	@cmake --build $(WIN_DIR)

# What a Windows user downloads: $(BUILD)/dist/quorel-setup.exe and quorel.zip.
dist: win
	@python3 scripts/make_dist.py --bin $(WIN_DIR)/bin --out $(BUILD)/dist

test: win
	@scripts/run-tests.sh

run: win
	@scripts/run-clock.sh

bench: host
	@scripts/run-benchmarks.sh

clean:
	rm -rf $(BUILD)
