# Front door. Every target first makes sure the machine has what it needs.
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory
RELEASE := build/release
TEST := build/test
FUZZ := build/fuzz
PPC := build/ppc
PREFIX ?= /usr/local

.PHONY: setup build test run bench compare compare-docs fuzz ppc-test install clean

# What building and running need; each other target adds its own packages.
setup:
	@bash scripts/setup build

build: setup
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DVELLUM_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS)

# The test build: ASan + UBSan, then every test through ctest.
test:
	@bash scripts/setup test
	@cmake -S . -B $(TEST) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLUM_SANITIZE=ON >/dev/null
	@cmake --build $(TEST) -j $(JOBS)
	@cd $(TEST) && ctest --output-on-failure -j $(JOBS)

run: build
	@bash scripts/run-sample

bench: build
	@bash scripts/setup bench
	@bash scripts/bench
	@bash scripts/bench-quire
	@bash scripts/setup --bench
	@python3 scripts/bench-export

# Both players over the shared corpus, scored against GDI's own pictures.
compare: build
	@bash scripts/setup test
	@bash scripts/compare

# libFuzzer targets; FUZZ_SECONDS per target (default 60).
fuzz:
	@bash scripts/setup fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLUM_FUZZ=ON -DVELLUM_TESTS=OFF -DVELLUM_PYTHON=OFF >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)
	@bash scripts/fuzz $(FUZZ) $${FUZZ_SECONDS:-60}

# The metafile tests on a big-endian PowerPC, cross-compiled and run under qemu.
ppc-test:
	@bash scripts/setup ppc
	@bash scripts/ppc-test $(PPC)

# The engine's pages beside LibreOffice's on the corpus: page counts, text, pictures.
compare-docs: build
	@bash scripts/setup compare
	@bash scripts/compare-docs $(RELEASE)

install: build
	@DESTDIR=$(DESTDIR) cmake --install $(RELEASE) --prefix $(PREFIX)

clean:
	rm -rf build
