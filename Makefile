# The two set-up commands: `make demo` (the main job) and `make test` (every test).
# Each installs what it needs on a fresh Debian 12 machine and builds what it runs.
JOBS ?= $(shell nproc)

.PHONY: deps native native-asan native-tsan win32 fuzz build test test-busy test-native test-asan test-tsan test-win32 \
  test-install test-fuzz demo package clean

deps:
	bash scripts/install-deps.sh

native native-asan native-tsan win32 fuzz: deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@ -j $(JOBS)

build: native native-asan native-tsan win32 fuzz

test-native: native
	ctest --preset native -j $(JOBS)

# The payloads past an archive's sizes (label "large") take minutes under the sanitizers; they run natively
# and under Wine.
test-asan: native-asan
	ctest --preset native-asan -j $(JOBS) -LE large

# Archives are coded on several threads: the compression component's tests under ThreadSanitizer.
test-tsan: native-tsan
	TSAN_OPTIONS=halt_on_error=1 build/native-tsan/compress/tests/compress_tests --gtest_brief=1

# Windows tests run side by side, each in a Wine prefix and display that no other test uses meanwhile.
test-win32: win32
	ctest --preset win32 -j $(JOBS)

# The native maker installed and packaged: it ships the win32 build's setup.exe.
test-install: native win32
	ctest --preset native-install -j $(JOBS)

# A short smoke run of every fuzz target.
test-fuzz: fuzz
	ctest --preset fuzz

test: test-native test-asan test-tsan test-win32 test-install test-fuzz

# The whole of `make test` three times in a row from a clean tree, while two CPU-bound processes run beside it,
# as on a busy two-core machine; each run's time in build/busy.log.
test-busy: deps
	rm -rf build
	stress-ng --cpu 2 --quiet & stress=$$!; \
	trap 'kill $$stress' EXIT; \
	for run in 1 2 3; do \
	  start=$$(date +%s); \
	  $(MAKE) test || exit 1; \
	  echo "run $$run: passed in $$(( $$(date +%s) - start )) s" | tee -a build/busy.log; \
	done

# Only what the main job runs: the native mksetup here, and the Windows setup.exe, sample and walk, which
# scripts/demo.sh builds; no test program of either tree.
demo: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS) --target mksetup
	cmake --preset win32 >/dev/null
	JOBS=$(JOBS) bash scripts/demo.sh

# build/packages: the Debian package of the maker and the zip of the Windows maker.
package: native win32
	rm -rf build/packages
	cpack --config build/native/CPackConfig.cmake -B build/packages
	cpack --config build/win32/CPackConfig.cmake -B build/packages
	rm -rf build/packages/_CPack_Packages

clean:
	rm -rf build
