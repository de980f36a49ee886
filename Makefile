# The two set-up commands of the README:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test
# and for Windows (Qt for Windows is built once, see windows-qt):
#   make windows       cross-build mctfcli.exe, mctfutil.exe and the tests,
#                      run the tests under Wine
#   make windows-dist  the zip and the installer, tried under Wine
#   make windows-cli   mctfcli.exe and its tests alone, without Qt
# and for Debian servers and desktops:
#   make package  build/mctfcli_<version>-1_amd64.deb and
#                 build/mctfutil_<version>-1_amd64.deb (README: Install)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build deps asan bench fuzz screens windows windows-qt windows-build \
        windows-cli windows-dist screens-windows package clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMCTF_SANITIZE=ON -DMCTF_BUILD_BENCH=OFF >/dev/null
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS each (libFuzzer, clang, ASan+UBSan).
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps.sh --fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMCTF_FUZZ=ON \
	  -DMCTF_BUILD_UI=OFF -DMCTF_BUILD_TESTS=OFF -DMCTF_BUILD_BENCH=OFF >/dev/null
	cmake --build build-fuzz -j $(JOBS)
	fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

# Windows: mctfcli.exe, mctfutil.exe and every test, the window's included,
# cross-built with mingw-w64 into build-windows/bin and run under Wine in a
# prefix of its own inside build-windows (cmake/mingw-w64.cmake). Qt for
# Windows is cross-built first when ~/.cache/mctfutil (or $MCTF_QT_WINDOWS)
# has none: 15 to 40 minutes once, a moment afterwards
# (scripts/build-qt-windows.sh).
WINDOWS_BUILD ?= build-windows
windows: windows-build
	# A test started just as an idle wineserver shuts down can die with
	# "wine client error: recvmsg: Connection reset by peer" before it runs;
	# such a test gets one more try. A test that fails on its own fails twice.
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS) --repeat until-pass:2

windows-qt:
	@scripts/install-deps.sh --windows
	JOBS=$(JOBS) scripts/build-qt-windows.sh

windows-build: windows-qt
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMCTF_BUILD_UI=ON -DMCTF_BUILD_BENCH=OFF \
	  -DMCTF_QT_WINDOWS="$$(scripts/build-qt-windows.sh --print)" >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# mctfcli.exe alone, for a server, without Qt: build-windows-cli/bin, and
# the tests of every layer but the window under Wine.
windows-cli:
	@scripts/install-deps.sh --windows
	cmake -S . -B build-windows-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMCTF_BUILD_UI=OFF -DMCTF_BUILD_BENCH=OFF >/dev/null
	cmake --build build-windows-cli -j $(JOBS)
	cd build-windows-cli && ctest --output-on-failure -j $(JOBS) --repeat until-pass:2

# $(WINDOWS_BUILD)/mctfutil-<version>-windows-x64.zip and
# mctfutil-<version>-setup.exe (NSIS), then both tried under Wine in a
# prefix of their own (tests/windows/dist_session.sh).
windows-dist: windows-build
	@scripts/install-deps.sh --windows-dist
	scripts/windows-dist.sh $(WINDOWS_BUILD) "$$(scripts/build-qt-windows.sh --print)"
	tests/windows/dist_session.sh $(WINDOWS_BUILD)/mctfutil-*-windows-x64.zip \
	  $(WINDOWS_BUILD)/mctfutil-*-setup.exe

# PNGs of mctfutil.exe's windows under Wine and a virtual X server.
screens-windows: windows-build
	@scripts/install-deps.sh --screens
	tests/windows/screenshots.sh $(WINDOWS_BUILD)

bench: build
	bench/run.sh $(BUILD)

# PNGs of the program's windows under a virtual X server.
screens: build
	@scripts/install-deps.sh --screens
	tests/ui/screenshots.sh $(BUILD)
	tests/ui/sheet_screenshots.sh $(BUILD)

# The Debian packages $(BUILD)/mctfcli_<version>-1_amd64.deb (the command
# line, no Qt) and $(BUILD)/mctfutil_<version>-1_amd64.deb (the window, which
# depends on the first), built in their own folder with the hardening flags of
# dpkg-buildflags (the other builds keep theirs); scripts/check-package.sh
# runs Debian's validators over them.
PACKAGE_BUILD ?= build-package
package:
	@scripts/install-deps.sh --package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DMCTF_BUILD_TESTS=OFF -DMCTF_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	mkdir -p $(BUILD)
	rm -f $(BUILD)/mctfcli_*.deb $(BUILD)/mctfutil_*.deb
	rm -f $(PACKAGE_BUILD)/*.deb
	cd $(PACKAGE_BUILD) && cpack -G DEB >/dev/null
	cp $(PACKAGE_BUILD)/mctfcli_*.deb $(PACKAGE_BUILD)/mctfutil_*.deb $(BUILD)/
	@ls $(BUILD)/mctfcli_*.deb $(BUILD)/mctfutil_*.deb

clean:
	rm -rf $(BUILD) build-asan build-fuzz $(WINDOWS_BUILD) build-windows-cli $(PACKAGE_BUILD)
