# `make format-check`: every C++ source of the repository as .clang-format lays it out (part of
# `make test`); `make format` rewrites the files that differ.

DEPS_EXTRA   += clang-format
TEST_TARGETS += format-check

FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h' '*.c')

.PHONY: format format-check

format: deps
	clang-format -i $(FORMAT_FILES)

format-check: deps
	@differ=0; for f in $(FORMAT_FILES); do \
	  clang-format "$$f" | cmp -s - "$$f" || { echo "format-check: $$f differs from .clang-format"; differ=1; }; \
	done; \
	if [ $$differ = 0 ]; then echo "format-check: $(words $(FORMAT_FILES)) files as .clang-format lays them out"; \
	else echo "format-check: run 'make format'" >&2; exit 1; fi
