# The two commands of the README. Both set the machine up first when something is missing.
BUILD ?= build
JOBS ?= $(shell nproc)
# Compiles are cached when ccache is installed; the build is the same without it.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all build test run asan fuzz clean bootstrap

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: | bootstrap
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)

build: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# A test that fails is run once more before the run fails: the link tests run their waits at a
# hundredth of their length, which a machine busy with three locales at once can overrun.
CTEST := ctest --output-on-failure --repeat until-pass:2 -j $(JOBS)

# Every test runs three times: in the C locale, in ru_RU.UTF-8 and in uk_UA.UTF-8 (cmake/KaltorTests.cmake).
test: build
	cd $(BUILD) && $(CTEST)

run: build
	scripts/run-with-simulator $(BUILD)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer, once, in the Russian locale
# (the users' own, where a locale-dependent conversion would show).
asan: bootstrap
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALTOR_SANITIZE=ON $(LAUNCHER)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(CTEST) -L '^ru_RU$$'

# The fuzz targets, built with clang under both sanitizers, each run FUZZ_SECONDS at once.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/bootstrap --fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKALTOR_FUZZ=ON -DKALTOR_SANITIZE=ON $(LAUNCHER)
	cmake --build build-fuzz -j $(JOBS) --target fuzz_targets
	scripts/fuzz build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) build-asan build-fuzz
