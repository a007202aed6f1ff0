# The two commands a user needs are `make run` and `make test`; each one sets up
# the machine first. The other targets are for developers.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
# CI turns warnings into errors; a local build only shows them.
WERROR     := $(if $(CI),ON,OFF)

CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DPALLISTO_WERROR=$(WERROR)


.PHONY: all setup setup-test build run test package bench fuzz sanitize screenshot clean

all: build

# Two layers of packages: what building and running need, and the test tools on top.
setup:
	@scripts/setup.sh run

setup-test:
	@scripts/setup.sh test

# One build tree for all: `make run` builds only the program and what it links, `make build`
# and `make test` everything, and none reconfigures what another configured.
configure = cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=ON $(EXTRA_CMAKE_FLAGS)

build: setup
	$(configure)
	cmake --build $(BUILD) -j $(JOBS)

# Without a display the program itself says so and stops.
run: setup
	$(configure)
	cmake --build $(BUILD) -j $(JOBS) --target pallisto
	$(BUILD)/app/pallisto

test: setup-test
	$(configure)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $(JOBS)

# $(BUILD)/pallisto_<version>_<architecture>.deb; dpkg-shlibdeps comes with dpkg-dev.
package: build setup-test
	cd $(BUILD) && cpack

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	$(MAKE) test BUILD=build-asan BUILD_TYPE=Debug EXTRA_CMAKE_FLAGS=-DPALLISTO_SANITIZE=ON

bench: setup-test
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPALLISTO_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build build-bench -j $(JOBS)
	scripts/bench.sh build-bench

# Each fuzz target runs for FUZZ_SECONDS.
FUZZ_SECONDS ?= 30
# The newest clang++-N on the PATH, from 14 on (libFuzzer as Debian 12 ships it).
CLANGXX ?= $(shell for v in $$(seq 40 -1 14); do command -v clang++-$$v && break; done)
fuzz: setup-test
	@[ -n "$(CLANGXX)" ] || { echo "fuzzing needs clang++ 14 or newer (scripts/setup.sh test)" >&2; exit 1; }
	CXX=$(CLANGXX) cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DPALLISTO_WITH_QT=OFF -DPALLISTO_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

screenshot: build setup-test
	scripts/screenshot.sh $(BUILD)

clean:
	rm -rf build build-asan build-bench build-fuzz
