# Thin wrapper over CMake. Every target installs what is missing first.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
SANITIZE_BUILD ?= build-sanitize
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: run test sanitize format-check bench fuzz deps build clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: deps $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-main.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DOMBRELUNE_SANITIZE=ON -DOMBRELUNE_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Fails when a C++ file of the project differs from what clang-format makes of it.
format-check: deps
	@bash scripts/format-check.sh

bench: build
	@$(BUILD)/bench/ombrelune-bench $(CASES)

fuzz:
	@bash scripts/install-deps.sh --fuzz
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DOMBRELUNE_FUZZ=ON -DOMBRELUNE_GUI=OFF -DOMBRELUNE_TESTS=OFF -DOMBRELUNE_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(TARGETS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD)
