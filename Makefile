# Vantrel: one source tree, three builds (native Linux, Windows x86_64, Windows i686).
# `make demo` and `make test` do all the set-up themselves.

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_CONFIGURE = cmake -S . -DCMAKE_BUILD_TYPE=Release -Wno-dev

.PHONY: all deps configure build build-linux build-win64 build-win32 test test-linux test-win64 bench fuzz demo clean

all: build

deps:
	@bash cmake/install-deps.sh

build/linux/CMakeCache.txt: | deps
	$(CMAKE_CONFIGURE) -B build/linux
build/win64/CMakeCache.txt: | deps
	$(CMAKE_CONFIGURE) -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake
build/win32/CMakeCache.txt: | deps
	$(CMAKE_CONFIGURE) -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake

build-linux: deps build/linux/CMakeCache.txt
	cmake --build build/linux -j $(JOBS)
build-win64: deps build/win64/CMakeCache.txt
	cmake --build build/win64 -j $(JOBS)
build-win32: deps build/win32/CMakeCache.txt
	cmake --build build/win32 -j $(JOBS)

build: build-linux build-win64 build-win32

test-linux: build-linux
	cd build/linux && ctest --output-on-failure -j $(JOBS)
test-win64: build-win64
	cmake/with-wine.sh bash -c 'cd build/win64 && ctest --output-on-failure -j $(JOBS)'

test: build test-linux test-win64

bench: deps build/linux/CMakeCache.txt
	cmake --build build/linux -j $(JOBS) --target vantrel-bench
	bash bench/make-corpus.sh build/bench-corpus
	build/linux/bench/vantrel-bench --corpus build/bench-corpus --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true

fuzz: deps
	cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DVANTREL_FUZZ=ON -Wno-dev
	cmake --build build/fuzz -j $(JOBS) --target vantrel-fuzzers
	bash fuzz/run.sh build/fuzz/fuzz $(FUZZ_SECONDS)

demo: build
	bash examples/demo.sh

clean:
	rm -rf build out
