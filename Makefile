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

# The tests are built along when GoogleTest is installed (make test installs it), so
# a machine with only the run layer builds the program alone, and one set up for
# testing does not switch its tests off and on between make build and make test.
TESTS_BY_DEFAULT := $(shell dpkg-query -W -f='$${Status}' libgtest-dev 2>/dev/null | \
                      grep -q 'install ok installed' && echo ON || echo OFF)
BUILD_TESTING ?= $(TESTS_BY_DEFAULT)

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=$(BUILD_TESTING) $(EXTRA_CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# Without a display the program itself says so and stops.
run: build
	$(BUILD)/app/pallisto

test: setup-test
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=ON $(EXTRA_CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $(JOBS)

# $(BUILD)/pallisto_<version>_amd64.deb; dpkg-shlibdeps comes with dpkg-dev.
package: build setup-test
	cd $(BUILD) && cpack

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	$(MAKE) test BUILD=build-asan BUILD_TYPE=Debug EXTRA_CMAKE_FLAGS=-DPALLISTO_SANITIZE=ON

bench: setup-test
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPALLISTO_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	scripts/bench.sh build-bench

# Each fuzz target runs for FUZZ_SECONDS.
FUZZ_SECONDS ?= 30
fuzz: setup-test
	CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DPALLISTO_WITH_QT=OFF -DPALLISTO_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

screenshot: build setup-test
	scripts/screenshot.sh $(BUILD)

clean:
	rm -rf build build-asan build-bench build-fuzz
