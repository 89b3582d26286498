# Convenience over CMake: `make run` starts a console session, `make test` runs
# every test and check; `make unit` runs the tests of the plain build alone.
# Whatever a target needs from the machine is seen to first (setup, below).
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
# Ninja where the machine has it, else what every machine has; CMake reads
# the generator for a new tree from the environment. Both must build the
# same things: test-makefiles checks the one CI's machine would not take.
CMAKE_GENERATOR ?= $(if $(shell command -v ninja 2>/dev/null),Ninja,Unix Makefiles)
export CMAKE_GENERATOR
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# The checks beside the plain tests, each in a build tree of its own.
SANITIZE_DIR := build-sanitize
COVERAGE_DIR := build-coverage
FLAGS_DIR := build-flags
MAKEFILES_DIR := build-makefiles
MIN_COVERAGE ?= 90

# Cross builds: build-<arch>/ with the toolchain file of that target; the
# tests run there under qemu-user.
CROSS_ARCHES := armhf arm64
toolchain_armhf := cmake/arm-linux-gnueabihf.cmake
toolchain_arm64 := cmake/aarch64-linux-gnu.cmake

.PHONY: all setup build run golden test unit sanitize lint coverage test-flags test-makefiles test-farm test-lava bench package install clean $(CROSS_ARCHES:%=test-%) \
	$(CROSS_ARCHES:%=package-%)
# The steps share the machine's cores through JOBS, and setup must come first.
.NOTPARALLEL:

all: build

# The groups of Debian packages (cmake/packages.txt) each target needs; the
# suite's group also has the machine checked for the pipe tests' mounts.
needs_all := build
needs_build := build
needs_run := build
needs_install := build
needs_bench := build bench
needs_unit := build suite
needs_sanitize := build suite
needs_lint := build checks
needs_coverage := build suite checks
needs_test-flags := build suite
needs_test-makefiles := build suite
needs_test := build suite checks
needs_test-farm := build farm
needs_test-lava := build lava
needs_package := build package
$(foreach arch,$(CROSS_ARCHES),$(eval needs_test-$(arch) := build suite $(arch)))
$(foreach arch,$(CROSS_ARCHES),$(eval needs_package-$(arch) := build package $(arch)))
GOALS := $(or $(MAKECMDGOALS),all)
NEEDS := $(sort $(foreach goal,$(GOALS),$(needs_$(goal))))

setup:
	$(if $(NEEDS),@cmake/setup.sh "make $(GOALS)" $(NEEDS))

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: setup $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

# The host program and what it loads, none of the tests.
run: setup $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target tulvak_host
	@$(BUILD_DIR)/bin/tulvak

test: unit sanitize lint coverage

# As make test stops at the first step with a finding, a suite stops starting
# tests at the first that fails: its output is then the last thing shown,
# not buried under the others' lines (ctest run by hand shows every failure).
unit: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --stop-on-failure --parallel $(JOBS)

# Every test again with AddressSanitizer and UndefinedBehaviorSanitizer,
# given the usual way, as compile flags (CMake links with them too). Any
# finding stops the program, so a test cannot pass over one. This tree, like
# the coverage and flags trees, is configured at each run, so that one
# configured with other flags before is brought to these.
SANITIZERS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

# Every process the tests start writes its sanitizer reports to files, so a
# finding in a child that no test watches still fails the run.
REPORTS = $(abspath $(SANITIZE_DIR))/sanitizer-reports
sanitize: setup
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		"-DCMAKE_C_FLAGS=$(SANITIZERS)" "-DCMAKE_CXX_FLAGS=$(SANITIZERS)"
	cmake --build $(SANITIZE_DIR) --parallel $(JOBS)
	rm -rf "$(REPORTS)" && mkdir "$(REPORTS)"
	ASAN_OPTIONS="log_path='$(REPORTS)/asan':detect_leaks=1" UBSAN_OPTIONS="log_path='$(REPORTS)/ubsan':print_stacktrace=1" \
		ctest --test-dir $(SANITIZE_DIR) --output-on-failure --stop-on-failure --parallel $(JOBS) || { cat "$(REPORTS)"/* 2>/dev/null; exit 1; }
	@if ls "$(REPORTS)"/* >/dev/null 2>&1; then cat "$(REPORTS)"/*; echo "sanitizers: the findings above" >&2; exit 1; fi

lint: build
	cmake/lint.sh $(BUILD_DIR) $(JOBS)

# Line coverage of the library by the whole test suite.
coverage: setup
	cmake -S . -B $(COVERAGE_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS=--coverage -DCMAKE_CXX_FLAGS=--coverage
	cmake --build $(COVERAGE_DIR) --parallel $(JOBS)
	find $(COVERAGE_DIR) -name '*.gcda' -delete
	ctest --test-dir $(COVERAGE_DIR) --output-on-failure --stop-on-failure --parallel $(JOBS)
	gcovr --root . --object-directory $(COVERAGE_DIR) --filter src/ --filter host/ --print-summary --fail-under-line $(MIN_COVERAGE)

# The suite of a build made the way a distribution makes its own: with its
# hardening flags (dpkg-buildflags) alone, build type None, and tulvakctl
# linked dynamically (TULVAKCTL_STATIC=OFF).
test-flags: setup
	eval "$$(dpkg-buildflags --export=sh)" && cmake -S . -B $(FLAGS_DIR) -DCMAKE_BUILD_TYPE=None \
		"-DCMAKE_C_FLAGS=$$CPPFLAGS $$CFLAGS" "-DCMAKE_CXX_FLAGS=$$CPPFLAGS $$CXXFLAGS" \
		"-DCMAKE_EXE_LINKER_FLAGS=$$LDFLAGS" "-DCMAKE_SHARED_LINKER_FLAGS=$$LDFLAGS" -DTULVAKCTL_STATIC=OFF
	cmake --build $(FLAGS_DIR) --parallel $(JOBS)
	ctest --test-dir $(FLAGS_DIR) --output-on-failure --stop-on-failure --parallel $(JOBS)

# The data the tests compare with (menus, symbols, the programs' output in
# the transcripts), written anew from the programs as built: after a change
# to the menus, run it and read git diff.
golden: build
	TULVAK_UPDATE="$(abspath $(BUILD_DIR))/lib/libtulvak.so" ctest --test-dir $(BUILD_DIR) -R harness.Golden --output-on-failure

# The suite, install and package tests included, of a tree configured with
# Unix Makefiles, as on a machine without ninja: that generator makes no
# folder for a rule's output, where Ninja does.
test-makefiles: setup
	CMAKE_GENERATOR='Unix Makefiles' cmake -S . -B $(MAKEFILES_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(MAKEFILES_DIR) --parallel $(JOBS)
	ctest --test-dir $(MAKEFILES_DIR) --output-on-failure --stop-on-failure --parallel $(JOBS)

# The labgrid driver against two sets made on this machine, through labgrid's
# pytest plugin (docs/farm.md); Debian's Python, which has labgrid.
test-farm: build
	/usr/bin/python3 -B tests/labgrid_sets.py $(BUILD_DIR)

# docs/farm.md's LAVA farm on this machine: a server, two workers and their
# sets, all the run's own and gone with it; LAVA's tools run on Debian's Python.
test-lava: build
	/usr/bin/python3 -B tests/lava_farm.py $(BUILD_DIR)

# Figures against their floors, one table (bench/results.md keeps a run with
# its analysis); the ARM library's size too where its cross compiler is here.
BENCH_CROSS := $(if $(shell command -v arm-linux-gnueabihf-g++ 2>/dev/null),armhf)
bench: setup build $(BENCH_CROSS:%=build-%/CMakeCache.txt)
	cmake --build $(BUILD_DIR) --target bench_programs
	$(foreach arch,$(BENCH_CROSS),cmake --build build-$(arch) --target size_programs &&) true
	sh bench/run.sh $(BUILD_DIR) $(BENCH_CROSS:%=build-%)

# The Debian package, in the build folder: libtulvak_<version>_<arch>.deb.
package: build
	cmake --build $(BUILD_DIR) --target package

# PREFIX=<folder> installs there rather than in the prefix configured.
install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

$(CROSS_ARCHES:%=build-%/CMakeCache.txt): build-%/CMakeCache.txt:
	cmake -S . -B build-$* -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_TOOLCHAIN_FILE=$(toolchain_$*)

$(CROSS_ARCHES:%=test-%): test-%: setup build-%/CMakeCache.txt
	cmake --build build-$* --parallel $(JOBS)
	ctest --test-dir build-$* --output-on-failure --stop-on-failure --parallel $(JOBS)

$(CROSS_ARCHES:%=package-%): package-%: setup build-%/CMakeCache.txt
	cmake --build build-$* --target package

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(COVERAGE_DIR) $(FLAGS_DIR) $(MAKEFILES_DIR) $(CROSS_ARCHES:%=build-%)
