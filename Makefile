BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test bench fuzz clean

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
