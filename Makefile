# The commands the README names. Everything builds with CMake under build/<preset>.
PRESET ?= release
BUILD_DIR := build/$(PRESET)
BUNDLE := $(BUILD_DIR)/src/Quillmere_artefacts/$(if $(filter debug,$(PRESET)),Debug,Release)/VST3/Quillmere.vst3

.PHONY: all bootstrap configure build test demo bench format clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

# Host and editor tests need a display; xvfb-run gives them one, also in CI.
test: build
	@xvfb-run -a ctest --preset $(PRESET)

demo: build
	@echo "Built the VST3 bundle: $(BUNDLE)"

bench: bootstrap
	@cmake --preset $(PRESET) -DQUILLMERE_BUILD_BENCHMARKS=ON >/dev/null
	@cmake --build --preset $(PRESET) --target quillmere_bench quillmere_engine_bench
	@$(BUILD_DIR)/bench/quillmere_bench
	@$(BUILD_DIR)/bench/quillmere_engine_bench

format:
	@find src tests bench tools -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	@rm -rf build
