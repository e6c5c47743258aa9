# The two commands a newcomer needs: `make run` and `make test`.
# Both install what is missing first (scripts/install-deps.sh), then build.

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD?= build-bench
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all deps build run test test-plain test-asan test-package bench fuzz package docs translations format clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Only the program, not the tests.
run: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target lumopocketo
	@./scripts/run.sh $(BUILD)

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DBRIX_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS) -E '^e2e\.'

# The libraries installed shared into a temporary prefix, and the examples
# built and run against that prefix only (CMake package and pkg-config).
test-package: deps
	@./scripts/test-package.sh $(BUILD)

test: test-plain test-asan test-package

bench:
	@./scripts/install-deps.sh --bench
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DBRIX_BENCH=ON -DBRIX_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@./scripts/run-benchmarks.sh $(BENCH_BUILD)

# libFuzzer targets, each run for FUZZ_SECONDS.
fuzz:
	@./scripts/install-deps.sh --fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIX_FUZZ=ON -DBRIX_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@./scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Two Debian packages in $(BUILD): lumopocketo (both programs with their
# desktop files) and libbrix-dev (static libraries, headers, CMake and
# pkg-config files); then scripts/test-deb.sh checks their contents, runs
# lintian on them and builds the engine example against libbrix-dev unpacked
# into a scratch folder. The build folder is configured for the prefix /usr,
# where the packages install (libraries in the multiarch folder).
package: $(BUILD)/CMakeCache.txt
	@./scripts/install-deps.sh --package
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(BUILD) -j $(JOBS) --target lumopocketo lumopocketo-cli brix-core brix-controls
	rm -f $(BUILD)/lumopocketo_*.deb $(BUILD)/libbrix-dev_*.deb
	cd $(BUILD) && cpack -G DEB
	@./scripts/test-deb.sh $(BUILD)

# The library's API reference (Doxygen over the installed headers):
# $(BUILD)/docs/html/index.html. Fails on any Doxygen warning.
docs:
	@./scripts/install-deps.sh --docs
	@cmake -S . -B $(BUILD) > /dev/null
	@./scripts/make-docs.sh $(BUILD)

# Brings src/app/translations/*.ts up to date with the program's tr() texts
# (lupdate); new texts arrive unfinished until someone translates them.
translations: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target update_translations

# Formats the C++ sources per .clang-format (clang-format 14); the test
# format.check fails while one is not.
format: deps
	@./scripts/format.sh --fix

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
