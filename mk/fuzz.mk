# Fuzzing: libFuzzer targets in fuzz/, built with clang (with AddressSanitizer and
# UndefinedBehaviorSanitizer) into their own build directory, since the main build uses g++.
# `make fuzz` runs each target for FUZZ_SECONDS; `make test` runs each for FUZZ_TEST_SECONDS.

FUZZ_BUILD        ?= build-fuzz
FUZZ_SECONDS      ?= 300
FUZZ_TEST_SECONDS ?= 20

DEPS_EXTRA   += clang libclang-rt-14-dev
TEST_TARGETS += fuzz-test

.PHONY: fuzz fuzz-build fuzz-test

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPCN_BUILD_TESTS=OFF >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets

fuzz: fuzz-build
	fuzz/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-test: fuzz-build
	fuzz/run-fuzzers $(FUZZ_BUILD) $(FUZZ_TEST_SECONDS)
