# The two commands a fresh Debian 12 machine needs: `make run` and `make test`.
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer in its own folder.
# TSAN=1 builds the suites that run work on other threads with ThreadSanitizer, in
# its own folder, and `make test TSAN=1` runs those suites (the CTest label "threads").

SANITIZE ?= 0
TSAN ?= 0
ifeq ($(SANITIZE),1)
BUILD ?= build-sanitize
CMAKE_FLAGS += -DPELLOR_SANITIZE=ON -DPELLOR_BENCH=OFF
else ifeq ($(TSAN),1)
BUILD ?= build-tsan
CMAKE_FLAGS += -DPELLOR_TSAN=ON -DPELLOR_BENCH=OFF
TARGETS ?= threaded_tests
CTEST_FLAGS += -L threads
else
BUILD ?= build
endif
JOBS ?= $(shell nproc)
EXAMPLE ?= examples/bouncing-shapes.json

.PHONY: all setup configure build test run bench references clean

all: build

setup:
	@bash scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) $(if $(TARGETS),--target $(TARGETS))

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

run: build
	@$(BUILD)/Pellor/pellor $(EXAMPLE)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# Redraws the reference pictures under tests/References with this build and
# writes those that changed into the source tree: only for an intended change of
# picture, committed with the reason.
references: configure
	@cmake --build $(BUILD) -j $(JOBS) --target test_references
	@PELLOR_UPDATE_REFERENCES=1 $(BUILD)/tests/test_references --gtest_brief=1
	@git status --short tests/References

clean:
	rm -rf build build-sanitize build-tsan
