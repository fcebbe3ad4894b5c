# Nexolant: make run | make test | make bench | make fuzz
TREES := native native-asan win64 win32
BENCHMARKS := signature_bench ini_bench scan_bench reference_bench
JOBS ?= 2

.PHONY: all bootstrap build test run bench fuzz clean $(addprefix build-,$(TREES))

all: build

bootstrap:
	@scripts/bootstrap

$(addprefix build-,$(TREES)): build-%: bootstrap
	@cmake --preset $* >/dev/null
	@cmake --build build/$* -j $(JOBS)

build: $(addprefix build-,$(TREES))

test: build
	@scripts/test-all $(TREES)

run: build-win64
	@scripts/run-nexolant

# The benchmarks have a tree of their own (build/bench, Release), so no other tree keeps them.
bench: bootstrap
	@cmake --preset bench >/dev/null
	@cmake --build build/bench -j $(JOBS) --target $(BENCHMARKS)
	@for benchmark in $(BENCHMARKS); do \
	  build/bench/bench/$$benchmark --benchmark_out=build/$$benchmark.json \
	    --benchmark_out_format=json || exit 1; \
	done

fuzz: bootstrap
	@scripts/fuzz

clean:
	rm -rf build
