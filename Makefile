# Quillmarch: `make run` builds and starts the program, `make test` builds and runs every test,
# `make pictures` regenerates the pictures in docs/.
# `make package` builds the Debian package build/quillmarch_<version>_<arch>.deb.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-sanitize pictures bench fuzz package clean format

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Regenerates the documentation's pictures (docs/*.png) through the pictures test program.
pictures: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target test_pictures test_records
	@QM_PICTURES_DIR=$(CURDIR)/docs QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 $(BUILD_DIR)/tests/test_pictures
	@QM_PICTURES_DIR=$(CURDIR)/docs QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
	  $(BUILD_DIR)/tests/test_records --gtest_filter='*Picture*:OwnersDay.*:-*Server*'
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target bench_receipt
	@samples=$$(mktemp -d) && QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/bench_receipt --png $$samples && \
	  for t in 01 02; do cp $$samples/receipt-template$$t-zh-price.png docs/receipt-template$$t.png; done && \
	  rm -rf $$samples

package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# in its own folder. Every suppression has its reason in tests/sanitize/.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_SANITIZE=ON -DQM_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$(CURDIR)/tests/sanitize/ubsan.supp \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] && QT_QPA_PLATFORM=offscreen "$$b"; done; true

# The spreadsheet reader under mutated files for FUZZ_SECONDS (default 300).
fuzz: build
	@$(BUILD_DIR)/bench/fuzz_spreadsheet $(or $(FUZZ_SECONDS),300)

format:
	@find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR)
