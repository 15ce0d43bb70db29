# The two commands of the README: `make demo` and `make test`. Both install what is
# missing first, so a fresh Debian 12 machine needs nothing else.
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: deps build native win64 win32 unit lint format win32-test desktop-test fuzz bench test demo dist screenshots clean

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
	@scripts/check-format.sh
	@scripts/run-static-analysis.sh

format: deps
	@scripts/check-format.sh --fix

win32-test: win64 win32
	@scripts/run-win32-tests.sh
	@RIMFOLD_WIN32_TEST_BUILD=build/win32 scripts/run-win32-tests.sh || [ $$? -eq 77 ]

desktop-test: dist
	@scripts/run-desktop-tests.sh
	@DESKTOP_ARCH=win32 scripts/run-desktop-tests.sh || [ $$? -eq 77 ]

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

# Release zips of both architectures and the per-user installer, in dist/.
dist: win64 win32
	@scripts/dist.sh

# The guide's pictures, taken anew on a Wine desktop into docs/images.
screenshots: win64
	@GUIDE_IMAGES="$(CURDIR)/docs/images" tests/desktop/run.sh guide_pictures

clean:
	rm -rf build dist
