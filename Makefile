# Thin wrapper over CMake. Both targets install missing Debian packages first.
BUILD_DIR ?= build
GALLERY_DIR ?= out/gallery
JOBS ?= $(shell nproc)
export QT_QPA_PLATFORM ?= offscreen

.PHONY: all deps configure build gallery test bench clean

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

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do $$b; done

clean:
	@rm -rf $(BUILD_DIR) out
