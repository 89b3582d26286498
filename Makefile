# Convenience over CMake: `make run` starts a console session, `make test` runs every test.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
GENERATOR := $(if $(shell command -v ninja 2>/dev/null),-G Ninja,)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Cross builds: build-<arch>/ with the toolchain file of that target; the
# tests run there under qemu-user.
CROSS_ARCHES := armhf arm64
toolchain_armhf := cmake/arm-linux-gnueabihf.cmake
toolchain_arm64 := cmake/aarch64-linux-gnu.cmake

.PHONY: all build run test bench package install clean $(CROSS_ARCHES:%=test-%) $(CROSS_ARCHES:%=package-%)

all: build

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

run: build
	@$(BUILD_DIR)/bin/tulvak

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel $(JOBS)

# Figures against their floors, one table (bench/results.md keeps a run with
# its analysis); the ARM library's size too where its cross compiler is here.
BENCH_CROSS := $(if $(shell command -v arm-linux-gnueabihf-g++ 2>/dev/null),armhf)
bench: build $(BENCH_CROSS:%=build-%/CMakeCache.txt)
	cmake --build $(BUILD_DIR) --target bench_programs
	$(foreach arch,$(BENCH_CROSS),cmake --build build-$(arch) --target tulvak size_floor &&) true
	sh bench/run.sh $(BUILD_DIR) $(BENCH_CROSS:%=build-%)

# The Debian package, in the build folder: libtulvak_<version>_<arch>.deb.
package: build
	cmake --build $(BUILD_DIR) --target package

# PREFIX=<folder> installs there rather than in the prefix configured.
install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

$(CROSS_ARCHES:%=build-%/CMakeCache.txt): build-%/CMakeCache.txt:
	cmake -S . -B build-$* $(GENERATOR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_TOOLCHAIN_FILE=$(toolchain_$*)

$(CROSS_ARCHES:%=test-%): test-%: build-%/CMakeCache.txt
	cmake --build build-$* --parallel $(JOBS)
	ctest --test-dir build-$* --output-on-failure --parallel $(JOBS)

$(CROSS_ARCHES:%=package-%): package-%: build-%/CMakeCache.txt
	cmake --build build-$* --target package

clean:
	rm -rf $(BUILD_DIR) $(CROSS_ARCHES:%=build-%)
