# `make include-check`: every #include of src/ points to its own folder or one below it
# (part of `make test`); the order of the folders is in tools/check-includes.

DEPS_EXTRA   += python3
TEST_TARGETS += include-check

.PHONY: include-check

include-check: deps
	@tools/check-includes
