# The front door: every target does its own set-up on a fresh Debian 12 machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
WINDOWS_BUILD_DIR ?= build-windows
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= ini dump library data_file download template

.PHONY: all deps configure build test test-sanitize fuzz bench demo run screenshots clean \
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

# The benchmarks measure the plain build; the sanitized one leaves them out.
test-sanitize:
	$(MAKE) test BUILD_DIR=build-asan \
	  CMAKE_FLAGS="$(CMAKE_FLAGS) -DTAVRIX_SANITIZE=ON -DTAVRIX_BUILD_BENCH=OFF"

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS from the committed
# corpus and the seeds made from our samples; new inputs gather in $(FUZZ_DIR)/corpus/<target>,
# a crashing one in $(FUZZ_DIR)/artifacts/<target>/.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAVRIX_FUZZ=ON -DTAVRIX_BUILD_TESTS=OFF -DTAVRIX_BUILD_APP=OFF -DTAVRIX_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR)
	rm -rf $(FUZZ_DIR)/seeds && fuzz/make_seeds.sh $(FUZZ_DIR)/bin $(FUZZ_DIR)/seeds
	for t in $(FUZZ_TARGETS); do \
	  fuzz/run.sh $(FUZZ_DIR) $$t $(FUZZ_SECONDS) || exit 1; \
	done

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

# The Windows cross build: the build machine's tools (the sample maker, zhuv6-sim and the makers
# of the libraries, templates and media) come from the native build in $(BUILD_DIR).
windows-deps: deps
	scripts/deps.sh scripts/debian-packages-windows.txt

host-tools: configure
	cmake --build $(BUILD_DIR) --target tavrix-cli tavrix-gen zhuv6-sim \
	  tavrix-resource tavrix-template tavrix-media

windows: windows-deps host-tools
	cmake -S . -B $(WINDOWS_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTAVRIX_HOST_TOOLS_DIR=$(abspath $(BUILD_DIR))/bin
	cmake --build $(WINDOWS_BUILD_DIR)

test-windows: windows
	ctest --test-dir $(WINDOWS_BUILD_DIR) --output-on-failure

clean:
	rm -rf $(BUILD_DIR) build-asan $(FUZZ_DIR) $(WINDOWS_BUILD_DIR)
