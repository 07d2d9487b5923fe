# The front door: every target does its own set-up on a fresh Debian 12 machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
WINDOWS_BUILD_DIR ?= build-windows

.PHONY: all deps configure build test bench demo run screenshots clean \
        windows-deps host-tools windows test-windows

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
	$(BUILD_DIR)/bench/report_bench
	if [ -x $(BUILD_DIR)/bench/file_list_bench ]; then $(BUILD_DIR)/bench/file_list_bench; fi

demo: build
	scripts/demo.sh $(BUILD_DIR)

run: build
	scripts/run.sh $(BUILD_DIR)/bin $(BUILD_DIR)/runtime

screenshots: build
	scripts/screenshots.sh $(BUILD_DIR)/bin $(BUILD_DIR)/runtime $(BUILD_DIR)/screenshots

# The Windows cross build: the build machine's tools (the sample maker, zhuv6-sim) come from
# the native build in $(BUILD_DIR).
windows-deps: deps
	scripts/deps.sh scripts/debian-packages-windows.txt

host-tools: configure
	cmake --build $(BUILD_DIR) --target tavrix-cli tavrix-gen zhuv6-sim

windows: windows-deps host-tools
	cmake -S . -B $(WINDOWS_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTAVRIX_HOST_TOOLS_DIR=$(abspath $(BUILD_DIR))/bin
	cmake --build $(WINDOWS_BUILD_DIR)

test-windows: windows
	ctest --test-dir $(WINDOWS_BUILD_DIR) --output-on-failure

clean:
	rm -rf $(BUILD_DIR) $(WINDOWS_BUILD_DIR)
