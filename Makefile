# Nexolant: make run | make test | make dist | make bench | make fuzz
TREES := native native-asan win64 win32
BENCHMARKS := signature_bench ini_bench monitor_bench scan_bench reference_bench quarantine_bench
DIST_TREES := win64 win32
JOBS ?= 2

.PHONY: all bootstrap build test run dist bench fuzz clean $(addprefix build-,$(TREES)) \
  $(addprefix dist-,$(DIST_TREES))

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

# The zip and the installer of each width, built in its Windows tree and gathered in dist/.
$(addprefix dist-,$(DIST_TREES)): dist-%: bootstrap
	@cmake --preset $* >/dev/null
	@cmake --build build/$* -j $(JOBS) --target dist

dist: $(addprefix dist-,$(DIST_TREES))
	@rm -rf dist && mkdir dist
	@cp $(foreach t,$(DIST_TREES),build/$(t)/dist/*) dist/
	@ls -l dist

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
	rm -rf build dist
