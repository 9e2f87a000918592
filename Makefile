# The commands the README names. Everything builds with CMake under build/<preset>.
PRESET ?= release
BUILD_DIR := build/$(PRESET)
ARTEFACTS := $(BUILD_DIR)/src/Quillmere_artefacts/$(if $(filter debug,$(PRESET)),Debug,Release)
DEMO_OUT := demo/out

# make install puts the plug-ins where Linux hosts look for them, and the programs on the PATH.
PREFIX ?= $(HOME)
VST3_DIR := $(PREFIX)/.vst3
LV2_DIR := $(PREFIX)/.lv2
BIN_DIR := $(PREFIX)/.local/bin

.PHONY: all bootstrap configure build test demo bench install uninstall format clean

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
	@tools/demo/run-demo $(BUILD_DIR) $(DEMO_OUT)

bench: bootstrap
	@cmake --preset $(PRESET) -DQUILLMERE_BUILD_BENCHMARKS=ON >/dev/null
	@cmake --build --preset $(PRESET) --target quillmere_bench quillmere_engine_bench
	@$(BUILD_DIR)/bench/quillmere_bench
	@$(BUILD_DIR)/bench/quillmere_engine_bench

install: build
	@mkdir -p $(VST3_DIR) $(LV2_DIR) $(BIN_DIR)
	@rm -rf $(VST3_DIR)/Quillmere.vst3 $(LV2_DIR)/Quillmere.lv2
	@cp -r $(ARTEFACTS)/VST3/Quillmere.vst3 $(VST3_DIR)/
	@cp -r $(ARTEFACTS)/LV2/Quillmere.lv2 $(LV2_DIR)/
	@install -m 755 $(ARTEFACTS)/Standalone/Quillmere $(BIN_DIR)/quillmere
	@install -m 755 $(BUILD_DIR)/tools/render/quillmere-render $(BIN_DIR)/quillmere-render
	@echo "Installed $(VST3_DIR)/Quillmere.vst3, $(LV2_DIR)/Quillmere.lv2,"
	@echo "          $(BIN_DIR)/quillmere and $(BIN_DIR)/quillmere-render"

uninstall:
	@rm -rf $(VST3_DIR)/Quillmere.vst3 $(LV2_DIR)/Quillmere.lv2
	@rm -f $(BIN_DIR)/quillmere $(BIN_DIR)/quillmere-render
	@echo "Removed Quillmere from $(VST3_DIR), $(LV2_DIR) and $(BIN_DIR)"

format:
	@find src tests bench tools -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	@rm -rf build
