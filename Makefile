# The two commands a fresh Debian 12 machine needs: `make run` and `make test`.
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer in its own folder.

SANITIZE ?= 0
ifeq ($(SANITIZE),1)
BUILD ?= build-sanitize
CMAKE_FLAGS += -DPELLOR_SANITIZE=ON -DPELLOR_BENCH=OFF
else
BUILD ?= build
endif
JOBS ?= $(shell nproc)
EXAMPLE ?= examples/bouncing-shapes.json

.PHONY: all setup configure build test run bench clean

all: build

setup:
	@bash scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@$(BUILD)/tools/lottie-frames $(EXAMPLE) --info

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf build build-sanitize
