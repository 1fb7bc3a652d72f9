# The commands of the README. Each one installs what is missing first.
BUILD        ?= build
JOBS         ?= $(shell nproc)
FUZZ_SECONDS ?= 300
CMAKE_GEN    := -G Ninja

RELEASE := $(BUILD)/release
DEBUG   := $(BUILD)/debug-asan
FUZZDIR := $(BUILD)/fuzz
PACKAGE := $(BUILD)/package
WINDOWS := $(BUILD)/windows
# The Linux build whose help files, icons and tools the Windows build takes (CI: the test build).
HOST_BUILD ?= $(RELEASE)
WINDOWS_KIT := ../shared/windows/vibrix4-mingw64-kit.tar.xz

export ASAN_OPTIONS := detect_leaks=1:abort_on_error=0:strict_string_checks=1
export LSAN_OPTIONS := suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS := print_stacktrace=1:halt_on_error=1

.PHONY: deps deps-windows windows test-windows windows-kit release debug fuzz-build run run-tracebuilder demo screenshots test ctest fuzz-short fuzz bench format clean

deps:
	@bash scripts/install-deps.sh

release: deps
	cmake -S . -B $(RELEASE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DVX_TESTS=OFF
	cmake --build $(RELEASE) -j $(JOBS)

debug: deps
	cmake -S . -B $(DEBUG) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON -DVX_BENCH=OFF
	cmake --build $(DEBUG) -j $(JOBS)

fuzz-build: deps
	CXX=clang++ CC=clang cmake -S . -B $(FUZZDIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_FUZZ=ON
	cmake --build $(FUZZDIR) -j $(JOBS) --target fuzzers

# The window on the demo project (the batch demo where there is no display).
run: release
	@bash scripts/run.sh $(RELEASE)

# The main job on built-in demo data, without windows.
demo: release
	@QT_QPA_PLATFORM=offscreen bash scripts/demo.sh $(RELEASE)

# The trace builder's window on the demo folder.
run-tracebuilder: release
	@bash scripts/run-tracebuilder.sh $(RELEASE)

# The guides' pictures of the Release build (made with its help PDFs) into docs/screenshots,
# where the README shows them.
screenshots: release
	find docs/screenshots -name '*.png' ! -name 'windows-*' -delete
	cp $(RELEASE)/docs/user/img/*.png docs/screenshots/

test: debug ctest fuzz-short

ctest:
	cd $(DEBUG) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

fuzz-short: fuzz-build
	@bash scripts/fuzz.sh $(FUZZDIR) 10

fuzz: fuzz-build
	@bash scripts/fuzz.sh $(FUZZDIR) $(FUZZ_SECONDS)

bench: release
	@QT_QPA_PLATFORM=offscreen bash scripts/bench.sh $(RELEASE)

# The Debian package of both programs, from a Release build without tests and benchmarks. With
# PACKAGE_HOST (CI: the test build) it takes the help files and icons made there, brought up to date
# first, instead of building the help's tools and running them once more.
PACKAGE_HOST ?=
.PHONY: package
package: deps
	$(if $(PACKAGE_HOST),cmake --build $(PACKAGE_HOST) -j $(JOBS) --target help_pdfs icons)
	cmake -S . -B $(PACKAGE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DVX_TESTS=OFF -DVX_BENCH=OFF \
	  -DVX_HOST_BUILD=$(if $(PACKAGE_HOST),$(abspath $(PACKAGE_HOST)))
	cmake --build $(PACKAGE) -j $(JOBS) --target package

# The Windows build, made here: MinGW-w64, Wine, NSIS and Xvfb from Debian's packages.
deps-windows:
	@bash scripts/install-deps-windows.sh

windows-kit:
	@test -f $(WINDOWS_KIT) || { echo "The Windows build needs the MinGW-w64 kit $(WINDOWS_KIT):" \
	  "put the shared folder beside this clone (ln -s /path/to/shared ../shared)." >&2; exit 2; }

# Both programs and both command-line tools cross-built in Release: the program folder
# build/windows/Vibrix4 and the installer build/windows/vibrix4-4.0.0-setup.exe.
windows: windows-kit deps deps-windows
	@bash scripts/windows-build.sh $(HOST_BUILD) $(WINDOWS) $(JOBS)

# The same with the test programs, all of them run under Wine, then the installer, both tools
# from the installed folder against the Linux ones, and the uninstaller.
test-windows: windows-kit deps deps-windows
	@bash scripts/windows-build.sh $(HOST_BUILD) $(WINDOWS) $(JOBS) all
	@bash scripts/windows-test.sh $(HOST_BUILD) $(WINDOWS) $(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
