# The two commands of the README: `make demo` and `make test`. Both install what is
# missing first, so a fresh Debian 12 machine needs nothing else.
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: deps build native win64 win32 unit lint win32-test desktop-test fuzz bench test demo clean

deps:
	@scripts/install-deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

win64: deps
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64 -j $(JOBS)

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j $(JOBS)

build: native win64 win32

unit: native
	@scripts/run-unit-tests.sh

lint: native
	@scripts/check-layers.sh
	@scripts/run-static-analysis.sh

win32-test: win64
	@scripts/run-win32-tests.sh

desktop-test: win64
	@scripts/run-desktop-tests.sh

fuzz: deps
	@scripts/run-fuzz.sh

bench: deps win64
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS) --target rimfold_bench
	@scripts/run-bench.sh

test: build
	@scripts/run-all-tests.sh

demo: win64
	@scripts/demo.sh

clean:
	rm -rf build
