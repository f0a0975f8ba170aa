# Mako's two entry points: `make run` and `make test`. Both install whatever Debian/Ubuntu
# packages are missing, configure and build first. `make fuzz` runs the parsers' fuzz targets.

BUILD_DIR  ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

# breeze-icon-theme: the window's icons where the desktop's theme has none; qtkeychain: the
# proxy password in the desktop's secret service; qt6-l10n-tools: lrelease, which builds the
# window's catalogues; qt6-translations-l10n: Qt's own, for the standard dialog buttons.
# qt6-declarative-dev: the JavaScript engine of collection scripts, whose assertion library the
# build fetches through npm (only when there is none: a Node.js from elsewhere brings its own);
# libjs-lodash and node-moment: the libraries those scripts may `require`. libyaml-cpp-dev: the
# OpenAPI, Swagger and Insomnia documents written as YAML. qt6-networkauth-dev: the OAuth 2.0
# Authorization Code flow and its loopback callback.
NPM := $(if $(shell command -v npm 2>/dev/null),,npm)
PACKAGES := cmake ninja-build ccache g++ make pkg-config dpkg-dev \
            qt6-base-dev qt6-websockets-dev qt6-svg-dev libcurl4-openssl-dev breeze-icon-theme \
            qtkeychain-qt6-dev qt6-l10n-tools qt6-translations-l10n \
            qt6-declarative-dev libjs-lodash node-moment qt6-networkauth-dev $(NPM) libyaml-cpp-dev \
            libgtest-dev libgmock-dev libbenchmark-dev openssl
# Only for the benchmarks that compare against other tools, and the format check.
BENCH_PACKAGES := jq curl
# The collection-run benchmark's baseline, from npm, kept inside the build folder.
NEWMAN_DIR := $(BUILD_DIR)/bench/npm
LINT_PACKAGES := clang-format
# The validators of the desktop entry and the metainfo, and the language tools that the
# generated-code test runs against a loopback server. Swift has no Debian 12 package, so its
# snippet is not run. A virtual display and a keyboard driver for the test that runs the real
# program through a restart. git: the folder-collection test checks what a diff of an edit shows.
TEST_PACKAGES := desktop-file-utils appstream curl python3 python3-requests nodejs golang-go ruby php-cli php-curl \
	xvfb xauth xdotool git

# The fuzz targets build with clang and its libFuzzer runtime in a folder of their own; llvm
# brings the symbolizer that puts file and line into a crash report.
FUZZ_PACKAGES := clang libclang-rt-14-dev llvm
FUZZ_DIR      ?= build-fuzz
FUZZ_SECONDS  ?= 30

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build test run bench fuzz format format-check translations translation-check layer-check \
        clean install package

all: build

# Installs the packages in $(1) that dpkg does not list as installed.
define install_missing
	@missing=""; \
	for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' \
	        || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing missing packages:$$missing"; \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

test: build
	$(call install_missing,$(TEST_PACKAGES))
	ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel $(JOBS) --timeout 300

run: build
	@if [ -x $(BUILD_DIR)/src/app/mako ]; then \
	    if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	        echo "No display found. Start Mako under a virtual one:"; \
	        echo "  xvfb-run -a $(BUILD_DIR)/src/app/mako"; \
	        echo "(xvfb-run comes with: apt-get install xvfb xauth)"; \
	    else \
	        $(BUILD_DIR)/src/app/mako; \
	    fi; \
	else \
	    $(BUILD_DIR)/src/cli/mako-cli --help; \
	fi

# `make install PREFIX=~/.local` puts Mako into the launcher of that prefix's desktop.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package in the build folder; its dependencies come from dpkg-shlibdeps.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

bench: build
	$(call install_missing,$(BENCH_PACKAGES))
	@[ -x $(NEWMAN_DIR)/node_modules/.bin/newman ] \
	    || npm install --prefix $(NEWMAN_DIR) --no-audit --no-fund --loglevel=error newman@6 \
	    || echo "newman could not be installed; the collection-run benchmark reports mako-cli alone"
	@for b in $(BUILD_DIR)/bench/mako_bench_*; do echo "== $$b"; $$b || exit 1; done

# Debug keeps Qt's own bounds assertions in the inlined container code; -O1 keeps it fast
# enough. Tests and benchmarks are not built here.
$(FUZZ_DIR)/build.ninja: | deps
	$(call install_missing,$(FUZZ_PACKAGES))
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DMAKO_BUILD_FUZZERS=ON \
	    -DMAKO_BUILD_TESTS=OFF -DMAKO_BUILD_BENCHMARKS=OFF

fuzz: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) --target mako_fuzzers --parallel $(JOBS)
	fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

format:
	$(call install_missing,$(LINT_PACKAGES))
	clang-format -i $(SOURCES)

format-check:
	$(call install_missing,$(LINT_PACKAGES))
	@clang-format --dry-run --Werror $(SOURCES) && echo "clang-format: all sources formatted"

# The window's texts, gathered by lupdate into one catalogue per language under translations/
# (mako_en.ts lists the source texts; a new language starts as a copy of it with its own
# language="..."). The build compiles them with lrelease.
L10N_PACKAGES := qt6-l10n-tools python3
LUPDATE := /usr/lib/qt6/bin/lupdate
translations:
	$(call install_missing,$(L10N_PACKAGES))
	$(LUPDATE) -no-obsolete -locations relative src -ts translations/mako_*.ts

# Fails on a text the user sees that lupdate cannot find (a bare literal in a label, a tooltip...),
# and on catalogues behind the sources: a text not gathered yet, or one left untranslated.
translation-check:
	$(call install_missing,$(L10N_PACKAGES))
	python3 tools/l10n/check_translatable.py src/ui src/app
	python3 tools/l10n/check_catalogues.py $(LUPDATE)

# Fails when a folder of the window includes one above it, or the core includes the window.
layer-check:
	$(call install_missing,python3)
	python3 tools/check_layers.py src

clean:
	rm -rf $(BUILD_DIR)
