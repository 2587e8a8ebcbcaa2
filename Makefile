# The two set-up commands of the README, and a few more for developers.
BUILD ?= build
JOBS ?= 2

.PHONY: all deps build run test clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

# The game reads its two tunes from the working folder, where the build writes them.
run: build
	cd $(BUILD) && ./tanzel-punch

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD)
