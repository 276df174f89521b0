# `make sanitize-test`: the unit and command-line tests once more in an AddressSanitizer and
# UndefinedBehaviorSanitizer build (g++, build-asan/, LeakSanitizer included), then the
# command-line tool of the normal build under valgrind on the examples. Any invalid access,
# undefined behaviour or leak fails the target.

SANITIZE_BUILD ?= build-asan
VALGRIND       := valgrind --quiet --error-exitcode=3 --leak-check=full \
                  --show-leak-kinds=definite,indirect,possible \
                  --errors-for-leak-kinds=definite,indirect,possible

DEPS_EXTRA   += valgrind
TEST_TARGETS += sanitize-test

.PHONY: sanitize-test sanitize-build

# -O1, as the sanitizers' authors advise: the same checks, a minute less to compile than -O2;
# without NDEBUG, so that every assert is checked too.
sanitize-build: deps
	cmake -S . -B $(SANITIZE_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DPCN_SANITIZE=ON >/dev/null
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)

sanitize-test: sanitize-build build
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)
	@out=$$(mktemp -d) && trap 'rm -rf "$$out"' EXIT && cli=$(BUILD)/src/cli/pcn874 && \
	  echo "valgrind: pcn874 inspect, merge (both shapes) and a refused merge on examples/" && \
	  $(VALGRIND) $$cli inspect --json examples/*.txt >/dev/null && \
	  $(VALGRIND) $$cli merge --out "$$out" examples/*.txt >/dev/null && \
	  $(VALGRIND) $$cli merge --representative --number 18 --out "$$out" examples/*.txt \
	    >/dev/null && \
	  { $(VALGRIND) $$cli merge --out "$$out" examples/branch-north.txt 2>/dev/null; \
	    test $$? -eq 2; } && \
	  echo "valgrind: no leak, no invalid access"
