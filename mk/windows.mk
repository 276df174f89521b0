# The Windows program: cross-built with mingw-w64 and tested under Wine inside Xvfb.

DEPS_EXTRA += g++-mingw-w64-x86-64-win32 wine wine64 xvfb x11-apps fonts-dejavu-core fonts-wine \
              imagemagick xauth libx11-dev locales
TEST_TARGETS += windows-test
RUN_TARGET := windows-run

WIN_BUILD := $(BUILD)/win
WIN_EXE   := $(WIN_BUILD)/src/window/Pcn874Merge.exe
# A native X client: the drag-and-drop source the drop tests drop files from.
XDND_DROP := $(BUILD)/xdnd-drop

.PHONY: windows windows-test screenshot windows-run

# Pcn874Merge.exe, the command-line tool and the test driver, for 64-bit Windows.
windows: deps
	cmake -S . -B $(WIN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake >/dev/null
	cmake --build $(WIN_BUILD) -j $(JOBS)

# The driver works the real program through window messages; the merged files it makes are
# compared with the native command-line tool's.
windows-test: windows build $(XDND_DROP)
	PCN_XDND_DROP=$(abspath $(XDND_DROP)) \
	  tests/win32/run-windows-tests.sh $(WIN_BUILD) $(BUILD)/src/cli/pcn874 test

$(XDND_DROP): tests/win32/xdnd_drop.cpp | deps
	@mkdir -p $(dir $@)
	$(CXX) -std=c++17 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion \
	  -Werror -o $@ $< -lX11

# PNGs of the window under $(BUILD)/screenshots/.
screenshot: windows build
	tests/win32/run-windows-tests.sh $(WIN_BUILD) $(BUILD)/src/cli/pcn874 screenshots

# With a display the real window opens under Wine; without one, the headless demo and a
# screenshot show that the program works.
windows-run: windows
	@if [ -n "$$DISPLAY" ]; then \
	  PCN_USE_DISPLAY=1 tests/win32/wine-session.sh $(WIN_BUILD) $(CURDIR)/$(WIN_EXE); \
	else \
	  $(MAKE) --no-print-directory demo && $(MAKE) --no-print-directory screenshot; \
	fi
