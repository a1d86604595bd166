# Kestrel: two commands on a fresh Debian 12 machine.
#   make run      installs what is missing, builds, starts the simulator
#   make test     installs what is missing, builds, runs every test
#   make package  builds the Debian package build/kestrel_<version>_amd64.deb
.PHONY: all deps build run test package sanitize fuzz bench style clean

FUZZ_SECONDS ?= 20
FUZZ_CSV_SECONDS ?= 10
# ON makes every compiler warning an error (.ci/run sets it); a developer's build leaves it OFF.
KESTREL_WARNINGS_AS_ERRORS ?= OFF
CONFIGURE_FLAGS = -DKESTREL_WARNINGS_AS_ERRORS=$(KESTREL_WARNINGS_AS_ERRORS)

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake --preset default $(CONFIGURE_FLAGS) >/dev/null
	@cmake --build --preset default

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ "$$QT_QPA_PLATFORM" != "offscreen" ]; then \
	  echo "No display found: start Kestrel under Xvfb with  xvfb-run -a -s '-screen 0 1600x1000x24' build/bin/kestrel"; \
	  exit 1; \
	fi
	@build/bin/kestrel

test: build
	@ctest --preset default

package: build
	@cmake --build --preset default --target package
	@ls build/kestrel_*.deb

sanitize: deps
	@cmake --preset sanitize $(CONFIGURE_FLAGS) >/dev/null
	@cmake --build --preset sanitize
	@ctest --preset sanitize
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(FUZZ_SECONDS)

# The lesson-file fuzzer for FUZZ_SECONDS, seeded with its own corpus and the shipped lessons (new
# inputs go to a scratch folder, the seeds stay; the longest lesson is under 8 KB); then the run
# CSV fuzzer for FUZZ_CSV_SECONDS, seeded with its corpus.
fuzz: deps
	@cmake --preset fuzz $(CONFIGURE_FLAGS) >/dev/null
	@cmake --build --preset fuzz
	@mkdir -p build-fuzz/corpus
	@build-fuzz/bin/fuzz_lesson -max_total_time=$(FUZZ_SECONDS) -max_len=16384 -print_final_stats=1 \
	  build-fuzz/corpus fuzz/corpus data/Study > build-fuzz/fuzz.log 2>&1; rc=$$?; tail -n 12 build-fuzz/fuzz.log; exit $$rc
	@mkdir -p build-fuzz/csvcorpus
	@build-fuzz/bin/fuzz_runcsv -max_total_time=$(FUZZ_CSV_SECONDS) -max_len=16384 -print_final_stats=1 \
	  build-fuzz/csvcorpus fuzz/csvcorpus > build-fuzz/fuzz-csv.log 2>&1; rc=$$?; tail -n 12 build-fuzz/fuzz-csv.log; exit $$rc

bench: build
	@for b in build/bench/bench_engine build/bench/bench_profile build/bench/bench_panel build/bench/bench_analysis build/bench/bench_tuning build/bench/bench_challenge; do [ -x "$$b" ] && QT_QPA_PLATFORM=offscreen "$$b"; done
	@bench/bench_paced.sh build
	@bench/bench_sim.sh build

style: deps
	@bash scripts/stylecheck.sh

clean:
	rm -rf build build-sanitize build-fuzz
