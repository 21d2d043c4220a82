# Two commands do all the set-up on a fresh machine:
#   make play   installs what is missing, builds, and starts the game from its data folder
#   make test   installs what is missing, builds, fuzzes briefly and runs the whole test suite

BUILD_DIR ?= build
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 20
JOBS ?= $(shell nproc)

.PHONY: all deps configure build game play test fuzz-smoke bench clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the game and its data (with the tools that make the data): a new player waits for
# nothing else.
game: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target vmr_main vmr_data

play: game
	cd $(BUILD_DIR)/data && ../bin/vmr_main $(ARGS)

# The fuzzers run first so that the test runner's summary closes the output. Drawing tests
# need an X server: without a display the tests run under a virtual one (Xvfb with Mesa).
test: build fuzz-smoke
	@scripts/with-display.sh ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

fuzz-smoke: deps
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DVELLMOOR_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ > /dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target vmr_fuzzers
	@scripts/fuzz-smoke.sh $(FUZZ_DIR)/bin $(FUZZ_SECONDS)

bench: build
	$(BUILD_DIR)/bin/vmr_bench
	@scripts/with-display.sh $(BUILD_DIR)/bin/vmr_bench_frame

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
