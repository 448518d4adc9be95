BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test sanitized-test bench fuzz clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/picsift

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitized-test

# The behaviour tests again under AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer:
# any report fails them, and a test that hangs fails after five minutes.
SANITIZED_BUILD ?= build-asan
SANITIZER_FLAGS = -O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
sanitized-test: deps
	@[ -f $(SANITIZED_BUILD)/build.ninja ] || cmake -S . -B $(SANITIZED_BUILD) -G Ninja -DCMAKE_BUILD_TYPE= \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZER_FLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
	$(SANITIZER_ENV) cmake --build $(SANITIZED_BUILD) -j $(JOBS) --target picsift-tests picsift-qpa-tests
	cd $(SANITIZED_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) --timeout 300 -E '^e2e\.'

bench: build
	$(BUILD)/picsift-bench

# Fuzzes picture loading for FUZZ_SECONDS with one job. A single allocation beyond the decoder's
# bound (1 GB) fails the run; the RSS limit leaves room for the sanitizers' own memory.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
fuzz:
	@bash scripts/install-deps.sh clang libclang-rt-14-dev
	@[ -f $(FUZZ_BUILD)/build.ninja ] || cmake -S tests/fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	$(FUZZ_BUILD)/make-fuzz-seeds $(FUZZ_BUILD)/seeds
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/artifacts
	$(FUZZ_BUILD)/picsift-fuzz-picture -max_total_time=$(FUZZ_SECONDS) -timeout=30 -rss_limit_mb=2560 \
	  -malloc_limit_mb=1100 -artifact_prefix=$(FUZZ_BUILD)/artifacts/ $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/seeds

clean:
	rm -rf $(BUILD)
