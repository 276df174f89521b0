# The two commands of the README: `make run` and `make test`. On a fresh Debian machine
# they first install what is missing (as root with apt-get; otherwise they print the one
# command to run). Further targets live in mk/*.mk.

BUILD      ?= build
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

# Debian packages the native build and its tests need.
DEPS_CORE := cmake g++ make ninja-build libgtest-dev libgmock-dev libbenchmark-dev \
             libcli11-dev nlohmann-json3-dev
# Further packages are added by the fragments in mk/.
DEPS_EXTRA :=
# Targets `make test` runs after the native tests; fragments add theirs.
TEST_TARGETS :=

.PHONY: all build test run deps native-test demo clean

all: build

include $(sort $(wildcard mk/*.mk))

deps:
	@tools/ensure-packages $(DEPS_CORE) $(DEPS_EXTRA)

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

native-test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test: native-test $(TEST_TARGETS)

# Merges the example files with the command-line tool, showing what the program does.
demo: build
	@tools/demo $(BUILD)/src/cli/pcn874

run: $(if $(RUN_TARGET),$(RUN_TARGET),demo)

clean:
	rm -rf $(BUILD) build-*
