# The two set-up commands of the README, and a few more for developers.
BUILD ?= build
PLAYER_BUILD ?= build-player
JOBS ?= 2
# The set of scripts/install-deps.sh that a command needs; commands that need more set their own.
DEPS = build

.PHONY: all deps build player run test clean

all: build

deps:
	@scripts/install-deps.sh $(DEPS)

# The developers' build (warnings are errors), first configured without the tests, which need the
# test set; the commands that test turn them on in the same folder.
$(BUILD)/CMakeCache.txt: | deps
	cmake --preset dev -B $(BUILD) -DBUILD_TESTING=OFF

.PHONY: with-tests
with-tests: DEPS = test
with-tests: deps
	cmake --preset dev -B $(BUILD) -DBUILD_TESTING=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

# The players' build, in a folder of its own so that the developers' cache never reaches it:
# optimised, without the tests, and a new compiler's warning does not stop it.
$(PLAYER_BUILD)/CMakeCache.txt: | deps
	cmake --preset player -B $(PLAYER_BUILD)

player: deps $(PLAYER_BUILD)/CMakeCache.txt
	cmake --build $(PLAYER_BUILD) -j$(JOBS)

# The game reads its two tunes from the working folder, where the build writes them.
run: player
	cd $(PLAYER_BUILD) && ./tanzel-punch

# Every test but the package's, which compiles the game once more and so has a command of its own.
test: with-tests
	cmake --build $(BUILD) -j$(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS) --label-exclude package
	$(MAKE) sanitize

clean:
	rm -rf $(BUILD) $(PLAYER_BUILD)

# Robustness: sanitizers (also run by `make test`), the soak and the fuzzer.
.PHONY: sanitize soak fuzz
FUZZ_SECONDS ?= 600
FUZZ_BUILD ?= build-fuzz

# The unit, Qt and FluidSynth suites under ASan and UBSan in build-asan/, then the FluidSynth suite
# with its audio test under ThreadSanitizer in build-tsan/, each built alone. ThreadSanitizer
# cannot lay out its memory where the kernel randomises more than 28 bits of addresses
# (vm.mmap_rnd_bits, 32 on some systems): there its programs run through setarch -R, the test
# listing that the build makes included.
sanitize: DEPS = test
sanitize: TSAN_RUN = $(shell [ "$$(cat /proc/sys/vm/mmap_rnd_bits)" -le 28 ] 2>/dev/null || \
	echo setarch "$$(uname -m)" -R)
sanitize: deps
	cmake --preset asan
	cmake --build --preset asan -j$(JOBS)
	ctest --preset asan -j$(JOBS)
	cmake --preset tsan
	$(TSAN_RUN) cmake --build --preset tsan -j$(JOBS)
	$(TSAN_RUN) ctest --preset tsan -j$(JOBS)

# Ten thousand whole games on the headless host, with the memory reported every thousand.
soak: build
	cmake --build $(BUILD) -j$(JOBS) --target tanzel_soak
	$(BUILD)/bench/tanzel_soak

# libFuzzer over the MIDI file check, built with clang in its own folder, for FUZZ_SECONDS.
# New inputs go to $(FUZZ_BUILD)/corpus, findings to $(FUZZ_BUILD)/crash-*.
fuzz: DEPS = test
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DTANZEL_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target smfcheck_fuzzer
	mkdir -p $(FUZZ_BUILD)/corpus
	cp $(FUZZ_BUILD)/present.mid $(FUZZ_BUILD)/music.mid $(FUZZ_BUILD)/corpus/
	$(FUZZ_BUILD)/tests/fuzz/smfcheck_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-dict=tests/fuzz/midi.dict -artifact_prefix=$(FUZZ_BUILD)/ \
		$(FUZZ_BUILD)/corpus tests/fuzz/corpus

# Benchmarks and the Debian package.
.PHONY: bench package package-check package-repro

# The game against an empty Qt window, one markdown table; about twelve minutes (bench/run.sh).
bench: DEPS = bench
bench: deps $(BUILD)/CMakeCache.txt
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j$(JOBS) --target bench-tools
	bench/run.sh $(BUILD)

# The Debian package, built by dpkg-buildpackage and debhelper from a copy of the tree in
# $(BUILD)/debian-package/: $(BUILD)/tanzel-punch_<version>_<architecture>.deb, its debug symbols'
# package, .buildinfo and .changes.
package: DEPS = package
package: deps
	packaging/builddeb.sh . $(BUILD) $(JOBS)

# The package built as above, then its contents and lintian's verdict checked (CTest, label package).
package-check: with-tests
	ctest --test-dir $(BUILD) --output-on-failure --label-regex '^package$$'

# Two fresh clones of the last commit, in two folders, package to the same bytes; builds twice.
package-repro: DEPS = package
package-repro: deps
	packaging/checkreproducible.sh . $(BUILD)/package-repro $(JOBS)
