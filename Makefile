# Thin wrapper over CMake. Both targets install missing Debian packages first.
BUILD_DIR ?= build
GALLERY_DIR ?= out/gallery
JOBS ?= $(shell nproc)
export QT_QPA_PLATFORM ?= offscreen

# Checked builds (clang, AddressSanitizer and UndefinedBehaviorSanitizer): the tests and the
# fuzz targets share one instrumented library.
CHECKED_DIR ?= build-checked
FUZZ_SECONDS ?= 20
CHECKED_ENV = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt:print_suppressions=0

.PHONY: all deps configure build gallery test test-german bench docs clean checked-configure \
	test-sanitize fuzz fuzz-run fuzz-corpus coverage

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

gallery: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target gallery
	@$(BUILD_DIR)/examples/gallery/gallery $(GALLERY_DIR)

test: build
	@cd $(BUILD_DIR) && ctest -j $(JOBS) --output-on-failure --timeout 300

# The suite once more under a German locale (decimal comma): text for files must not follow it.
test-german: build
	@bash scripts/install-deps.sh german
	@cd $(BUILD_DIR) && LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ctest -j $(JOBS) --output-on-failure \
		--timeout 300

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do $$b; done

# Reference documentation from the headers: $(BUILD_DIR)/docs/html/index.html.
docs: configure
	@cmake --build $(BUILD_DIR) --target docs

checked-configure:
	@bash scripts/install-deps.sh checked
	@cmake -S . -B $(CHECKED_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
		-DQVPLOT2D_SANITIZE=ON -DQVPLOT2D_BUILD_FUZZERS=ON -DQVPLOT2D_BUILD_BENCHMARKS=OFF >/dev/null

test-sanitize: checked-configure
	@cmake --build $(CHECKED_DIR) -j $(JOBS)
	@cd $(CHECKED_DIR) && $(CHECKED_ENV) ctest -j $(JOBS) --output-on-failure --timeout 600

fuzz: checked-configure
	@cmake --build $(CHECKED_DIR) -j $(JOBS) --target fuzzers

# Every target over its seeds, then FUZZ_SECONDS of fuzzing; a finding fails.
fuzz-run: fuzz
	@$(CHECKED_ENV) bash scripts/run-fuzzers.sh $(CHECKED_DIR)/fuzz fuzz/corpus $(FUZZ_SECONDS)

# Writes the seed corpora anew with the library's writers.
fuzz-corpus: fuzz
	@$(CHECKED_DIR)/fuzz/make_corpus fuzz/corpus

# Line coverage of src/ by the test suite (gcc, gcovr), printed and written to out/coverage.txt.
COVERAGE_DIR ?= build-coverage
coverage:
	@bash scripts/install-deps.sh coverage
	@cmake -S . -B $(COVERAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS="--coverage -O0" -DQVPLOT2D_BUILD_BENCHMARKS=OFF \
		-DQVPLOT2D_BUILD_EXAMPLES=OFF >/dev/null
	@cmake --build $(COVERAGE_DIR) -j $(JOBS)
	@find $(COVERAGE_DIR) -name '*.gcda' -delete
	@# One test at a time: test processes running at once would write the same counters.
	@cd $(COVERAGE_DIR) && ctest --timeout 600 >/dev/null || true
	@mkdir -p out
	@gcovr -r . --filter src/ --object-directory $(COVERAGE_DIR) -s -o out/coverage.txt \
		$(COVERAGE_DIR) | tail -3

clean:
	@rm -rf $(BUILD_DIR) $(CHECKED_DIR) $(COVERAGE_DIR) out
