# The front door: every target does its own set-up on a fresh Debian 12 machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: all deps configure build test bench demo run screenshots clean

all: build

deps:
	scripts/deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure

bench: build
	bench/report.sh $(BUILD_DIR)
	$(BUILD_DIR)/bench/report_bench
	if [ -x $(BUILD_DIR)/bench/file_list_bench ]; then $(BUILD_DIR)/bench/file_list_bench; fi

demo: build
	scripts/demo.sh $(BUILD_DIR)

run: build
	SIM="$(SIM)" scripts/run.sh $(BUILD_DIR)/bin $(BUILD_DIR)/runtime

screenshots: build
	scripts/screenshots.sh $(BUILD_DIR)/bin $(BUILD_DIR)/runtime $(BUILD_DIR)/screenshots

clean:
	rm -rf $(BUILD_DIR)
