# The two commands a newcomer needs. Both install missing packages first.
#   make run   builds the sandbox and starts it from the repository root (daten/ and settings.txt live here)
#   make test  builds the sanitizer test build and runs the whole suite headless
#   make install  builds the release and installs it under PREFIX (default ~/.local): bin/zandrel, share/zandrel/,
#                 the desktop entry and the icons
#   make fuzz  builds the fuzz targets with clang and fuzzes each for FUZZ_SECONDS (default 60), one after another

JOBS ?= $(shell nproc)
PREFIX ?= $(HOME)/.local

.PHONY: run test bench fuzz install

run:
	bash scripts/bootstrap.sh
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release
	cmake --build build/release -j $(JOBS) --target zandrel
	./build/release/src/app/zandrel

test:
	bash scripts/bootstrap.sh
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DZANDREL_SANITIZE=ON -DZANDREL_TESTS=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && SDL_VIDEODRIVER=offscreen ctest --output-on-failure -j $(JOBS)

install:
	bash scripts/bootstrap.sh
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build build/release -j $(JOBS) --target zandrel
	cmake --install build/release

bench:
	bash scripts/bootstrap.sh
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DZANDREL_BENCH=ON
	cmake --build build/bench -j $(JOBS)

fuzz:
	bash scripts/bootstrap.sh fuzz
	cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DZANDREL_SANITIZE=ON \
		-DZANDREL_TESTS=ON -DZANDREL_FUZZ=ON -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
	cmake --build build/fuzz -j $(JOBS) --target fuzz_targets
	bash scripts/fuzz.sh build/fuzz
