# Marklet: `make run` builds and starts the editor, `make test` builds and runs
# every test. Both install missing Debian packages first. `make package` makes
# the Debian package build/marklet_<version>_<arch>.deb from the same build
# (and installs the packaging tools it needs). `make bench` runs the
# benchmarks (build-perf), `make fuzz FUZZ_SECONDS=60` each fuzz target for
# that long (build-fuzz, clang).

BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test package check-package bench fuzz clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/marklet $(FILE)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

package: build
	bash scripts/install-deps.sh --package
	cmake --build $(BUILD) --target package

# Checks the package (lintian, the menu entry, the AppStream metadata), then
# installs it into a new minimal Debian (its dependencies alone), starts it
# there and removes it again.
check-package: package
	bash packaging/check_package.sh $(BUILD) --clean-system --without-recommends

bench:
	bash bench/run.sh

FUZZ_SECONDS ?= 60
fuzz:
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash fuzz/run.sh

clean:
	rm -rf $(BUILD)
