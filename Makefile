# Nexolant: make run | make test | make bench | make fuzz
TREES := native native-asan win64 win32
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

bench: bootstrap
	@cmake --preset native -DNEXOLANT_BENCH=ON >/dev/null
	@cmake --build build/native -j $(JOBS) --target signature_bench
	@build/native/bench/signature_bench --benchmark_out=build/signature_bench.json --benchmark_out_format=json

fuzz: bootstrap
	@scripts/fuzz

clean:
	rm -rf build
