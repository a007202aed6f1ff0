# The two commands a user needs are `make run` and `make test`; each one sets up
# the machine first. The other targets are for developers.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
# CI turns warnings into errors; a local build only shows them.
WERROR     := $(if $(CI),ON,OFF)

CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DPALLISTO_WERROR=$(WERROR)


.PHONY: all setup build run test bench fuzz sanitize screenshot clean

all: build

setup:
	@scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(EXTRA_CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "Pallisto needs a graphical desktop, and none was found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2; \
	    echo "Start it from a terminal inside your desktop session." >&2; \
	    exit 1; \
	fi
	$(BUILD)/app/pallisto

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	$(MAKE) test BUILD=build-asan BUILD_TYPE=Debug EXTRA_CMAKE_FLAGS=-DPALLISTO_SANITIZE=ON

bench: setup
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPALLISTO_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	scripts/bench.sh build-bench

# Each fuzz target runs for FUZZ_SECONDS.
FUZZ_SECONDS ?= 30
fuzz: setup
	CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DPALLISTO_WITH_QT=OFF -DPALLISTO_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

screenshot: build
	scripts/screenshot.sh $(BUILD)

clean:
	rm -rf build build-asan build-bench build-fuzz
