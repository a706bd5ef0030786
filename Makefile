# The two commands of the README: `make run` and `make test`; also
# `make fuzz` (every fuzz target for FUZZ_SECONDS each, in build-fuzz) and
# `make bench` (every benchmark, one table of figures, in build-bench).
BUILD ?= build
FUZZ_SECONDS ?= 30
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test fuzz bench clean format

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	./$(BUILD)/ludomyra

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run-fuzzers

bench: deps
	bench/run-benchmarks

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
