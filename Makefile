# Two commands do all the set-up on a fresh machine:
#   make play   installs what is missing, builds, and starts the game from its data folder
#   make test   installs what is missing, builds, fuzzes briefly and runs the whole test suite
#   make package   builds the Debian package, $(BUILD_DIR)/vellmoor_VERSION_ARCH.deb

BUILD_DIR ?= build
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 5
SOAK_SECONDS ?= 30
JOBS ?= $(shell nproc)
# Grown fuzzing corpora and whatever the fuzzers find, kept between runs outside git.
FUZZ_CORPUS ?= fuzz/grown
FUZZ_FINDINGS ?= fuzz/findings

# Undefined behaviour is reported with its stack. The tests also look for stack use after
# return and for initialisation order trouble; LeakSanitizer is on everywhere.
UBSAN_ENV = UBSAN_OPTIONS=print_stacktrace=1
SANITIZER_ENV = $(UBSAN_ENV) ASAN_OPTIONS=detect_stack_use_after_return=1:strict_init_order=1

.PHONY: all deps configure build game play launcher test test-build fuzz-configure fuzz-smoke fuzz sanitize soak \
	soak-build bench package clean

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

# The settings window a player starts the game from; it finds the game and the data beside it.
launcher: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target vmr_launcher vmr_main vmr_data
	$(BUILD_DIR)/bin/vmr_launcher

# The fuzzers, the sanitized tests, the soak and the Debian package's check (about 25 s: it
# builds the package and plays from it unpacked) run first so that the test runner's summary
# closes the output. Drawing tests need an X server: without a display the tests run under a
# virtual one (Xvfb with Mesa). The routes' matrix of frame rates runs optimised beside them.
test: test-build fuzz-smoke sanitize
	@$(BUILD_DIR)/bin/vmr_soak --data $(BUILD_DIR)/data --scenarios tests/scenarios/levels \
		--seconds $(SOAK_SECONDS)
	@BUILD_DIR=$(BUILD_DIR) scripts/check-package.sh
	@scripts/with-display.sh ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS) \
		-L 'display|optimised'

# What the test run needs of the normal tree: the game, its data, the soak, the programs
# that test in a window and the routes' matrix. The tests that need no display run in the sanitizer tree instead,
# and the benchmarks are built by `make bench`.
test-build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target vmr_main vmr_data vmr_soak vmr_optimised_tests

# One clang tree with AddressSanitizer and UndefinedBehaviorSanitizer holds the fuzzers and
# the test programs that need no display, so the game's libraries compile once for both.
fuzz-configure: deps
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DVELLMOOR_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ > /dev/null

fuzz-smoke: fuzz-configure
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target vmr_fuzzers
	@$(UBSAN_ENV) scripts/fuzz-smoke.sh $(FUZZ_DIR)/bin $(FUZZ_SECONDS)

# Every fuzzer for SECONDS each (RUNS caps the inputs) from its grown corpus.
fuzz: SECONDS ?= 600
fuzz: fuzz-configure
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target vmr_fuzzers
	@$(UBSAN_ENV) scripts/fuzz.sh $(FUZZ_DIR)/bin $(SECONDS) $(FUZZ_CORPUS) $(FUZZ_FINDINGS) \
		$(RUNS)

# The test programs that need no display, sanitized, each case in a process of its own.
sanitize: fuzz-configure
	@$(SANITIZER_ENV) cmake --build $(FUZZ_DIR) -j $(JOBS) --target vmr_headless_tests
	@$(SANITIZER_ENV) ctest --test-dir $(FUZZ_DIR) --output-on-failure -j $(JOBS)

# Every level played headless with random play for SECONDS (default 60).
soak: SECONDS ?= 60
soak: soak-build
	$(BUILD_DIR)/bin/vmr_soak --data $(BUILD_DIR)/data --scenarios tests/scenarios/levels \
		--seconds $(SECONDS)

soak-build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target vmr_soak vmr_data

# CPack installs the tree into a staging folder and packs it; only what it installs is built.
package: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target vmr_installable
	@cd $(BUILD_DIR) && cpack

# The frame benchmark runs twice: under the software renderer, and under Mesa's no-op driver,
# which takes every OpenGL call and draws nothing, so the second run shows what our own code
# costs and the difference is the rasteriser's.
bench: build
	$(BUILD_DIR)/bin/vmr_bench
	@scripts/with-display.sh $(BUILD_DIR)/bin/vmr_bench_frame
	@echo "The same frames with Mesa's no-op driver (our code without the rasteriser):"
	@GALLIUM_NOOP=1 scripts/with-display.sh $(BUILD_DIR)/bin/vmr_bench_frame \
		--benchmark_filter='^GameFrame(Drawing)?/'

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
