# Quarno: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the Debian packages they need first (as root, or through sudo).

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
NULL_BUILD ?= build-null
TSAN_BUILD ?= build-tsan
WINDOWS_BUILD ?= build-windows
JOBS       ?= $(shell nproc)

# What building and running the program needs (the build tree also configures the tests, so their
# GoogleTest and Python are here), and what `make run` installs. Without a display the program runs
# on a virtual one (xvfb-run).
RUN_PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libmnl-dev libxcb1-dev \
                libsqlite3-dev qt6-base-dev qt6-svg-dev libgl-dev libglib2.0-dev fonts-dejavu-core python3 xvfb xauth
# The translations: lupdate and lrelease with their CMake functions, and Qt's own translations of its
# standard buttons and dialogs.
RUN_PACKAGES += qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
# What the tests need on top; `make test` and the other test targets install all of it.
# The sanitizer builds and the fuzzers (clang), the benchmarks, the format check, the history tool's
# tests (sqlite3), the kernel tests (iproute2, procps), the install check and the package's tests.
TEST_PACKAGES := clang libclang-rt-14-dev libbenchmark-dev clang-format git sqlite3 iproute2 procps \
                 desktop-file-utils appstream dpkg-dev file lintian
# The x11 suite: a window manager, a tray, input and window queries, the window's pixels (xwd), a
# wall clock that jumps (faketime), private session and system buses (dbus-daemon, gdbus), the data
# cap's notification server (dunst), and what a screen reader reads (the accessibility bus and its
# Python client).
TEST_PACKAGES += openbox trayer xdotool x11-utils x11-apps faketime dbus-daemon dbus-bin libglib2.0-bin \
                 dunst at-spi2-core python3-pyatspi gir1.2-atspi-2.0
# The widget tests run under memcheck too (label "memcheck").
TEST_PACKAGES += valgrind
# The Windows build: the mingw-w64 cross compiler, GoogleTest's sources, and Wine to run the result.
TEST_PACKAGES += g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine64

.PHONY: all deps deps-run configure build run install package test test-gui test-asan test-tsan test-null \
        test-windows format-check bench format clean

all: build

# Installs the packages of $(1) that are missing.
define install_packages
	@missing=""; \
	for p in $(1); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    sudo=""; [ "$$(id -u)" -eq 0 ] || sudo=sudo; \
	    echo "Installing:$$missing"; \
	    $$sudo apt-get update -q && \
	    DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -q --no-install-recommends $$missing; \
	fi
endef

deps-run:
	$(call install_packages,$(RUN_PACKAGES))

deps: deps-run
	$(call install_packages,$(TEST_PACKAGES))

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps-run $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Builds only the program, not the tests.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target quarno
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then $(BUILD)/bin/quarno; \
	else echo "No display: starting on a virtual one (xvfb-run)"; xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD)/bin/quarno; fi

# Installs the program, its menu entry, icons and AppStream data (PREFIX defaults to /usr/local).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package $(BUILD)/quarno_<version>_<arch>.deb; install it with `dpkg -i`. dpkg-shlibdeps
# and file compute its dependencies; its tests check it with lintian and xdotool.
package: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target package

# The format check; the whole suite with the normal build (the widget tests also under valgrind
# memcheck); every test and the fuzzers again under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer (clang, halt on the first error); the change notifier's and the history
# recorder's tests under ThreadSanitizer; the plain-C++ layers built against the null platform; the
# plain layers built for Windows, their tests under Wine and the cross-check of both builds against
# one kernel.
test: format-check test-gui test-asan test-tsan test-null test-windows

test-gui: deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
	    -DCMAKE_CXX_COMPILER=clang++ -DQN_SANITIZE=ON -DQN_FUZZ=ON

SANITIZE_DIR := $(CURDIR)/tests/sanitize
test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1 \
	    LSAN_OPTIONS=suppressions=$(SANITIZE_DIR)/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS) -LE package

# The plain-C++ layers, their unit tests and the tools against platform/null/, as a system without
# a port of its own builds them: the seam must not leak Linux into the layers above it. CMake's
# plain_layers lists the targets; the cases labelled "platform" need a real one and are left out.
$(NULL_BUILD)/build.ninja:
	cmake -S . -B $(NULL_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQN_GUI=OFF -DQN_PLATFORM=null

test-null: deps $(NULL_BUILD)/build.ninja
	cmake --build $(NULL_BUILD) -j $(JOBS) --target plain_layers
	$(NULL_BUILD)/bin/quarno-netdump >/dev/null
	cd $(NULL_BUILD) && ctest --output-on-failure -j $(JOBS) -L unit -LE "kernel|platform"

# The plain-C++ layers, and the tests of the two parts with threads of their own: the change
# notifier's waiting thread and the history recorder's writing worker.
$(TSAN_BUILD)/build.ninja:
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
	    -DCMAKE_CXX_COMPILER=clang++ -DQN_GUI=OFF -DQN_SANITIZE=thread

test-tsan: deps $(TSAN_BUILD)/build.ninja
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target qn_test_netdata_notifier qn_test_history
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(TSAN_BUILD)/bin/qn_test_netdata_notifier --gtest_repeat=3
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(TSAN_BUILD)/bin/qn_test_history \
	    --gtest_filter='HistoryRecorder*' --gtest_repeat=3

$(BENCH_BUILD)/build.ninja:
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQN_BENCH=ON

bench: deps $(BENCH_BUILD)/build.ninja
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bin/qn_bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Fails when a tracked source differs from what .clang-format makes of it (`make format` fixes it).
format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# The plain layers cross-built for 64-bit Windows (mingw-w64, no Qt there), their unit tests run under
# Wine in a private prefix, then quarno-netdump.exe and the Linux quarno-netdump compared on the same
# kernel in a private network namespace (root; skipped without). The wine server is stopped at the end
# whatever happened, so nothing is left running.
WINE       := /usr/lib/wine/wine64
WINESERVER := /usr/lib/wine/wineserver
WINE_ENV    = WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

$(WINDOWS_BUILD)/build.ninja:
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake -DQN_GUI=OFF

$(WINDOWS_BUILD)/wine-prefix/system.reg: | $(WINDOWS_BUILD)/build.ninja
	env -u DISPLAY -u WAYLAND_DISPLAY $(WINE_ENV) $(WINE) wineboot -i >/dev/null 2>&1 || \
	    { $(WINE_ENV) $(WINESERVER) -k; rm -rf $(WINDOWS_BUILD)/wine-prefix; exit 1; }
	$(WINE_ENV) $(WINESERVER) -w

test-windows: deps configure $(WINDOWS_BUILD)/build.ninja
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cmake --build $(BUILD) -j $(JOBS) --target quarno-netdump
	$(MAKE) --no-print-directory $(WINDOWS_BUILD)/wine-prefix/system.reg
	cd $(WINDOWS_BUILD) && env -u DISPLAY -u WAYLAND_DISPLAY $(WINE_ENV) ctest --output-on-failure -j $(JOBS); \
	    status=$$?; $(WINE_ENV) $(WINESERVER) -k 2>/dev/null; exit $$status
	env -u DISPLAY -u WAYLAND_DISPLAY $(WINE_ENV) WINE=$(WINE) WINESERVER=$(WINESERVER) \
	    python3 tools/netdump/cross_check_wine.py $(BUILD)/bin/quarno-netdump $(WINDOWS_BUILD)/bin/quarno-netdump.exe; \
	    status=$$?; $(WINE_ENV) $(WINESERVER) -k 2>/dev/null; exit $$status

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(BENCH_BUILD) $(NULL_BUILD) $(WINDOWS_BUILD)
