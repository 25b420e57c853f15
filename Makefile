# Zelkor: `make run` builds and starts the game, `make test` builds and runs every test.
# Both install the Debian packages they need when they are missing.

BUILD_DIR    ?= build
SAN_DIR      ?= build-sanitize
TSAN_DIR     ?= build-tsan
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES     := cmake g++ make qt6-base-dev libgl-dev libgtest-dev ccache fonts-dejavu-core
# The package and its checks: dpkg-shlibdeps, lintian, the AppStream, desktop-entry and man
# page validators.
PACKAGES     += dpkg-dev lintian appstream desktop-file-utils man-db groff-base
# The translations: lupdate and lrelease, and Qt's own catalogues (its dialogs' buttons).
PACKAGES     += qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
PREFIX       ?= /usr/local
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_CI_SECONDS ?= 25
FUZZ_PACKAGES := clang libclang-rt-dev
COV_DIR      ?= build-coverage
COV_PACKAGES := gcovr
MUTANT_PACKAGES := python3
MUTANT_DIR   ?= build-mutants
SEED         ?= 1
COUNT        ?= 60
FOLDER       ?=
# Warnings are errors in the builds of `make test` (the CI run); `make run` stays lenient.
WERROR       ?= OFF

.PHONY: all deps fuzz-deps coverage-deps configure build run test test-core test-sanitize test-tsan fuzz fuzz-build fuzz-ci coverage mutants bench perft clean format install pictures book
.PHONY: package

all: build

# Installs the Debian packages of $(1) that are missing (apt-get update first, and only then).
define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=""; else SUDO=sudo; fi; \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

fuzz-deps:
	$(call install_missing,$(FUZZ_PACKAGES))

coverage-deps:
	$(call install_missing,$(COV_PACKAGES))

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DZELKOR_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/zelkor

# The core tests under the sanitizers and under ThreadSanitizer (the searches that run off
# the window's thread), every fuzz target for a short while, then the whole suite in the
# Release build (its summary closes the run).
test: WERROR = ON
test: build test-sanitize test-tsan
	$(MAKE) fuzz-ci WERROR=$(WERROR)
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DZELKOR_SANITIZE=ON -DZELKOR_BUILD_UI=OFF \
	  -DZELKOR_WERROR=$(WERROR)
	cmake --build $(SAN_DIR) -j $(JOBS)
	cd $(SAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L core

# The core tests, the threaded searches among them, under ThreadSanitizer in a build of
# their own; any report fails the run.
test-tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELKOR_TSAN=ON \
	  -DZELKOR_BUILD_UI=OFF -DZELKOR_WERROR=$(WERROR)
	cmake --build $(TSAN_DIR) -j $(JOBS)
	cd $(TSAN_DIR) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  ctest --output-on-failure -j $(JOBS) -L core

# The libFuzzer targets, built with clang in their own folder; the normal build is untouched.
fuzz-build: deps fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELKOR_FUZZ=ON \
	  -DZELKOR_WERROR=$(WERROR)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers

# Each target for FUZZ_SECONDS; fails when one finds a fault (the input is kept in
# $(FUZZ_DIR)/artifacts).
fuzz: fuzz-build
	tests/fuzz/run_fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

fuzz-ci: fuzz-build
	tests/fuzz/run_fuzzers.sh $(FUZZ_DIR) $(FUZZ_CI_SECONDS)

# Line coverage of src/ by the whole suite, from a Debug build of its own with --coverage;
# prints the summary even when a test fails (the per-file table is kept in
# $(COV_DIR)/coverage.txt), then fails with the tests. gcovr runs in the build folder, where
# the relative source paths a shared compiler cache may record resolve.
coverage: deps coverage-deps
	cmake -S . -B $(COV_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage \
	  -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage
	cmake --build $(COV_DIR) -j $(JOBS)
	find $(COV_DIR) -name '*.gcda' -delete
	cd $(COV_DIR) && ctest --output-on-failure -j $(JOBS); failed=$$?; \
	gcovr --root $(CURDIR) --filter '$(CURDIR)/src/' --gcov-ignore-parse-errors --txt coverage.txt --print-summary . \
	  | tail -3; exit $$failed

# Mutation testing (not part of test): COUNT faults drawn with SEED from src/ (or only
# src/FOLDER), each built in $(MUTANT_DIR) on a copy of the source and run against the whole suite;
# prints the killed share per folder and the mutants that survived. EVERY_TEST=1 runs every
# test for each mutant and lists the tests that killed none.
mutants: deps
	$(call install_missing,$(MUTANT_PACKAGES))
	python3 tools/mutants/mutants.py --work $(MUTANT_DIR) --seed $(SEED) --count $(COUNT) \
	  --jobs $(JOBS) $(if $(FOLDER),--folder $(FOLDER)) $(if $(EVERY_TEST),--every-test)

# Installs the executables, the shipped data, the desktop entry and the icons under
# $(PREFIX) (DESTDIR is honoured for packaging).
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package build/zelkor_VERSION_ARCH.deb (CPack; the dependencies from the
# executables). The test "Package" of `make test` makes it too, checks it with lintian and
# runs it from an unpacked root.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The README's screenshots, taken on the offscreen platform.
pictures: build
	mkdir -p docs/images
	cmake --build $(BUILD_DIR) --target zelkor-take-pictures
	QT_QPA_PLATFORM=offscreen ZELKOR_PICTURE_DIR=$(CURDIR)/docs/images $(BUILD_DIR)/bin/zelkor-take-pictures

# The opening book, grown for every variant of data/variants.ini by the program's own search
# (hours of work at the default depth; not part of test). The new book replaces
# data/zelkor.bok only when every section was made.
BOOK_DEPTH  ?= 7
BOOK_PLIES  ?= 8
BOOK_MARGIN ?= 10
BOOK_WIDTH  ?= 3
book: build
	rm -f $(BUILD_DIR)/zelkor.bok.new
	for v in $$(seq 1 $$(grep -c '^Variant=' data/variants.ini)); do \
	  nice -n 19 $(BUILD_DIR)/bin/zelkor-cli --data-dir data book --variant $$v \
	    --depth $(BOOK_DEPTH) --plies $(BOOK_PLIES) --margin $(BOOK_MARGIN) --width $(BOOK_WIDTH) \
	    --out $(BUILD_DIR)/zelkor.bok.new || exit 1; \
	done
	mv $(BUILD_DIR)/zelkor.bok.new data/zelkor.bok

perft: build
	$(BUILD_DIR)/bin/zelkor-cli perft 5

bench: build
	$(BUILD_DIR)/bin/zelkor-cli bench

format:
	find src tests tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(TSAN_DIR) $(FUZZ_DIR) $(COV_DIR)
