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

# The instrumented configurations (cmake/QuillmereSanitizers.cmake) each build only the test
# executables that matter for them, in folders of their own. They build at -O1, which the
# sanitizers are made for and which compiles JUCE far faster than the release build's -O3.
INSTRUMENTED = cmake -S . -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	-DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -DNDEBUG"
ASAN_TESTS := quillmere_dsp_tests quillmere_processor_tests quillmere_layout_tests \
	quillmere_preferences_tests quillmere_concurrency_tests
TSAN_TESTS := quillmere_concurrency_tests
SANITIZER_ENV = UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$(CURDIR)/tests/sanitizers/ubsan.supp \
	ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
FUZZ_SECONDS ?= 60
# make test's share of fuzzing, per target.
TEST_FUZZ_SECONDS ?= 20
STRESS_MINUTES ?= 10

.PHONY: all bootstrap configure build test test-asan test-tsan fuzz stress demo bench install \
	uninstall format clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

# Host and editor tests need a display; xvfb-run gives them one, also in CI. After the plain tests
# come the sanitizer builds and a short fuzz run.
test: build
	@xvfb-run -a ctest --preset $(PRESET)
	@$(MAKE) --no-print-directory test-asan test-tsan
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(TEST_FUZZ_SECONDS)

# Runs each of the given test executables of a build folder; $(1) folder, $(2) executables.
run-tests = for test in $(2); do \
		echo "$(1): $$test"; \
		$(SANITIZER_ENV) xvfb-run -a $$(find $(1)/tests -name $$test -type f) --gtest_brief=1 \
			|| exit 1; \
	done

# AddressSanitizer and UndefinedBehaviorSanitizer on the engine, processor, state, layout and
# preferences tests.
test-asan: bootstrap
	@$(INSTRUMENTED) -B build/asan -DQUILLMERE_SANITIZER=address >/dev/null
	@cmake --build build/asan -j 2 --target $(ASAN_TESTS)
	@$(call run-tests,build/asan,$(ASAN_TESTS))

# ThreadSanitizer on the test that runs the message thread and the audio thread together.
test-tsan: bootstrap
	@$(INSTRUMENTED) -B build/tsan -DQUILLMERE_SANITIZER=thread >/dev/null
	@cmake --build build/tsan -j 2 --target $(TSAN_TESTS)
	@$(call run-tests,build/tsan,$(TSAN_TESTS))

# Every fuzz target for FUZZ_SECONDS from its seed corpus (tests/fuzz/corpus); fails on a finding.
fuzz: bootstrap
	@$(INSTRUMENTED) -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
		-DQUILLMERE_FUZZ=ON >/dev/null
	@cmake --build build/fuzz -j 2 --target quillmere_fuzzers
	@tests/fuzz/run-fuzzers build/fuzz $(FUZZ_SECONDS)

# The long run, not part of make test: STRESS_MINUTES of audio at each of three sample rates.
stress: bootstrap
	@cmake -S . -B build/stress -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_BUILD_STRESS=ON >/dev/null
	@cmake --build build/stress -j 2 --target quillmere_stress
	@QUILLMERE_STRESS_MINUTES=$(STRESS_MINUTES) build/stress/tests/stress/quillmere_stress

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
