# The release: `make dist` writes dist/ with the Windows zip, the Linux tarball and their
# checksums; `make dist-check` builds it twice in two folders and compares the bytes;
# `make install` puts the command-line tool and its manual page under $(PREFIX).

DEPS_EXTRA += python3 file

# The one version: the project() line of CMakeLists.txt.
PCN_VERSION := $(shell sed -n 's/^project.pcn874 VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
# Every time stamp in the archives is the last commit's.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
PREFIX ?= /usr/local
# The pictures of the window in the guide, as `make screenshot` takes them.
GUIDE_PICTURES := 1-empty 2-two-files 3-representative 4-refusal 5-generated

.PHONY: dist dist-check install guide-pictures

# The packaged tool is compared with the normal build's, so that one is built too.
dist: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target pcn874
	SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH) JOBS=$(JOBS) \
	  tools/dist/make-dist.sh $(PCN_VERSION) $(BUILD)/src/cli/pcn874

dist-check: deps
	tools/dist/dist-check.sh

install: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target pcn874
	cmake --install $(BUILD) --prefix $(PREFIX) --strip

# Takes new pictures of the window for the guide, without the time they were taken. The
# message boxes are pictures of the whole screen: the empty desktop around them is cut off.
guide-pictures: screenshot
	for name in 4-refusal 5-generated; do \
	  convert $(BUILD)/screenshots/$$name.png -trim +repage $(BUILD)/screenshots/$$name.png; \
	done
	for name in $(GUIDE_PICTURES); do \
	  tools/dist/png-without-time.py $(BUILD)/screenshots/$$name.png docs/guide/$$name.png; \
	done

.PHONY: clean-dist
clean: clean-dist
clean-dist:
	rm -rf dist
