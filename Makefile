# The two commands of the README:
#   make run    install what is missing, build, start the clock under wine
#   make test   install what is missing, build both, run every test
# Further: make host, make win, make dist, make bench, make fuzz, make clean.

# BUILD picks another build tree (make test BUILD=build/mine): its own host and
# Windows builds, test results and wine prefix, so that builds can run side by side.
BUILD ?= build
export QUOREL_BUILD := $(abspath $(BUILD))
HOST_DIR := $(BUILD)/host
WIN_DIR := $(BUILD)/win
FUZZ_DIR := $(BUILD)/fuzz

.PHONY: all deps host win dist test run bench fuzz clean

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

# The readers of outside data under libFuzzer with AddressSanitizer and UBSan (clang; not part
# of make test). FUZZ_ARGS goes to scripts/run-fuzz.sh, e.g. FUZZ_ARGS="--seconds 60 pop3_dialogue_fuzz".
fuzz:
	@scripts/install-deps.sh scripts/packages-fuzz.txt
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang-14 \
	  -DCMAKE_CXX_COMPILER=clang++-14 -DQUOREL_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) --target quorel_fuzz
	@scripts/run-fuzz.sh $(FUZZ_ARGS)

clean:
	rm -rf $(BUILD)
