# make run: set up, cross-build and start the window under Wine.
# make test: set up, then the native build and tests, the benchmarks' build (not run), then the Windows
# build and its tests under Wine.

HOST := build/host
WIN := build/windows
JOBS ?= 2

.PHONY: all setup host windows test test-host test-windows test-dist dist run screenshot bench bench-build fuzz sanitize
.PHONY: format clean

all: host windows

setup:
	@scripts/setup.sh

# Warnings are errors in the project's own builds; a user's own cmake --preset build leaves them
# warnings. A build folder configured without it is configured again.
CONFIGURE = grep -q '^VELLUMOR_WERROR:BOOL=ON' $(1)/CMakeCache.txt 2>/dev/null || cmake --preset $(2) -DVELLUMOR_WERROR=ON

host: setup
	@$(call CONFIGURE,$(HOST),host)
	cmake --build $(HOST) -j $(JOBS)

windows: setup
	@$(call CONFIGURE,$(WIN),windows)
	cmake --build $(WIN) -j $(JOBS)
	@scripts/wine-prefix.sh $(CURDIR)/$(WIN)/wineprefix

test-host: host
	ctest --test-dir $(HOST) --output-on-failure -j $(JOBS)

test-windows: windows
	scripts/wine-ctest.sh $(CURDIR)/$(WIN)

dist: windows
	scripts/dist.sh $(CURDIR)/$(WIN)

test-dist: dist host
	scripts/wine-managed.sh $(CURDIR)/$(WIN)/wineprefix N
	xvfb-run -a -s "-screen 0 1024x768x24" scripts/check-dist.sh \
	  $(CURDIR)/dist/vellumor-$$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $(WIN)/CMakeCache.txt)-win64.zip \
	  $(CURDIR)/$(HOST)/cli/vellumor-gen $(CURDIR)/$(WIN)/wineprefix

test: test-host bench-build test-windows test-dist

run: windows
	@if [ ! -f $(WIN)/app/vellumor.exe ]; then echo "vellumor.exe is not built yet."; exit 1; fi
	@if [ -z "$$DISPLAY" ]; then echo "No display: run this from a desktop session, or use 'make screenshot'."; exit 1; fi
	@scripts/wine-managed.sh $(CURDIR)/$(WIN)/wineprefix Y
	scripts/with-window-manager.sh $(WIN)/wine-run.sh $(WIN)/app/vellumor.exe

screenshot: windows
	scripts/screenshot.sh $(CURDIR)/$(WIN) $(CURDIR)/docs/screenshot.png
	scripts/screenshot.sh $(CURDIR)/$(WIN) $(CURDIR)/docs/paste-question.png paste-question

# The release build of the benchmarks, every target of its preset as a user would build it; make
# test builds it too, so it cannot rot unnoticed.
bench-build: setup
	@$(call CONFIGURE,build/bench,bench)
	cmake --build build/bench -j $(JOBS)

bench: bench-build windows
	build/bench/bench/generator_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
	scripts/window-bench.sh $(CURDIR)/$(WIN)

# A finding is written straight into the repository's corpus, which make test replays.
fuzz: setup
	@[ -f build/fuzz/build.ninja ] || cmake --preset fuzz
	cmake --build build/fuzz -j $(JOBS) --target fuzz_choices_json fuzz_from_code
	mkdir -p build/fuzz/corpus build/fuzz/code-corpus
	cp -n fuzz/corpus/* build/fuzz/corpus/ 2>/dev/null || true
	cp -n fuzz/code-corpus/* build/fuzz/code-corpus/ 2>/dev/null || true
	build/fuzz/fuzz/fuzz_choices_json -max_total_time=$${FUZZ_SECONDS:-60} -max_len=65536 \
	  -dict=fuzz/choices.dict -artifact_prefix=fuzz/corpus/found- build/fuzz/corpus
	build/fuzz/fuzz/fuzz_from_code -max_total_time=$${FUZZ_SECONDS:-60} -max_len=65536 \
	  -dict=fuzz/code.dict -artifact_prefix=fuzz/code-corpus/found- build/fuzz/code-corpus

sanitize: setup
	@$(call CONFIGURE,build/sanitize,sanitize)
	cmake --build build/sanitize -j $(JOBS)
	ctest --test-dir build/sanitize --output-on-failure -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
