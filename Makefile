# Entry points for people: `make run` starts the desktop program, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# cmake --build runs make again below this one: keep its output to the build lines.
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run test install package bench conformance clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-desktop.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install: build
	@cmake --install $(BUILD)

# A Debian package of the programs, the desktop entry and the icons, in $(BUILD)/.
package: build
	@cmake --build $(BUILD) --target package

conformance: build
	@if [ -x ../shared/conformance/run ]; then ../shared/conformance/run $(BUILD)/qtb-solve; \
	 else echo "no conformance cases beside the project"; fi

clean:
	@rm -rf $(BUILD)
