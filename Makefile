# The two commands of the README. Both set the machine up first when something is missing.
BUILD ?= build
JOBS ?= $(shell nproc)
# Compiles are cached when ccache is installed; the build is the same without it.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# WERROR=ON turns every compiler warning into an error; CI (.ci/run) builds that way, so that no
# warning comes back. The folders are configured on every run, so the setting always holds.
WERROR ?= OFF
CONFIGURE := cmake -S . -G Ninja -DKALTOR_WERROR=$(WERROR) $(LAUNCHER)

.PHONY: all build test run asan tsan fuzz clean bootstrap

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# A test passes on its first run or the run fails: a test that needs a second run hides a fault.
CTEST := ctest --output-on-failure -j $(JOBS)

# Every test runs three times: in the C locale, in ru_RU.UTF-8 and in uk_UA.UTF-8 (cmake/KaltorTests.cmake).
test: build
	cd $(BUILD) && $(CTEST)

# FIRMWARE=3.01 (or any other text) starts the simulated register with that firmware instead of 4.00.
run: build
	scripts/run-with-simulator $(BUILD) "$(FIRMWARE)"

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer, once, in the Russian locale
# (the users' own, where a locale-dependent conversion would show).
asan: bootstrap
	$(CONFIGURE) -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKALTOR_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(CTEST) -L '^ru_RU$$'

# The tests of the code that runs threads of its own (the kit timer's worker, the simulators'
# serving loop, and the serial port, driver and controls working with them: label "threaded", see
# cmake/KaltorTests.cmake) under ThreadSanitizer, built with clang, once, in the Russian locale. Reports
# from inside Qt, which is not built with the sanitizer, are suppressed in cmake/tsan.supp, each entry
# with its reason; the first report fails its test.
# ThreadSanitizer cannot lay out its shadow memory when the kernel randomises more than 28 bits of
# the address space (the default of newer kernels) and stops with "unexpected memory mapping"; on
# such kernels the tests run with address randomisation off. It stays on where it works, as a
# container may not allow switching it off.
TSAN_NO_ASLR := $(shell [ "$$(cat /proc/sys/vm/mmap_rnd_bits 2>/dev/null || echo 28)" -gt 28 ] && echo "setarch $$(uname -m) -R")
TSAN_OPTIONS := halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/cmake/tsan.supp
tsan:
	@scripts/bootstrap --clang
	CC=clang CXX=clang++ $(CONFIGURE) -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DKALTOR_TSAN=ON
	cmake --build build-tsan -j $(JOBS) --target threaded_tests
	cd build-tsan && TSAN_OPTIONS="$(TSAN_OPTIONS)" $(TSAN_NO_ASLR) $(CTEST) -L '^threaded$$' -L '^ru_RU$$'

# The fuzz targets, built with clang under both sanitizers, each run FUZZ_SECONDS at once.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/bootstrap --clang
	CC=clang CXX=clang++ $(CONFIGURE) -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKALTOR_FUZZ=ON -DKALTOR_SANITIZE=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_targets
	scripts/fuzz build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) build-asan build-tsan build-fuzz
