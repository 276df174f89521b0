# `make bench`: a Release build in build-release/, the micro-benchmarks of the hot paths,
# then the whole-process comparisons on generated files (kept in build-release/bench-data).
# Figures only: nothing here fails on timing, and `make test` does not run it.
BENCH_BUILD ?= build-release
BENCH_REPS  ?= 7

.PHONY: bench bench-build

bench-build: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DPCN_BUILD_TESTS=OFF >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target pcn874 generate_pcn874 measure_process pcn_micro_bench

bench: bench-build
	$(BENCH_BUILD)/bench/pcn_micro_bench --benchmark_min_time=0.2
	bench/compare.sh $(BENCH_BUILD) $(BENCH_REPS)
