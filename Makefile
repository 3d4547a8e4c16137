# The two everyday commands: `make run` builds and starts the game, `make test` builds and runs the tests.
# Each keeps its own build folder (the game alone in build-run/, everything with the tests in build/), so
# switching between them rebuilds nothing.
BUILD ?= build
RUN_BUILD ?= $(BUILD)-run
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test package deps-build deps-test clean

run: deps-build
	cmake -S . -B $(RUN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPIREHOLD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(RUN_BUILD) -j $(JOBS) --target spirehold
	./$(RUN_BUILD)/spirehold

test: deps-test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPIREHOLD_TESTS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

package: deps-build
	cmake -S . -B $(BUILD)-package -DCMAKE_BUILD_TYPE=Release -DSPIREHOLD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)-package -j $(JOBS) --target spirehold
	cd $(BUILD)-package && cpack

deps-build:
	@scripts/install-deps.sh build

deps-test:
	@scripts/install-deps.sh test

clean:
	rm -rf $(BUILD) $(RUN_BUILD)

# The game in the browser: builds the site into build-web/site/ (serve that folder as it stands).
.PHONY: web
web:
	scripts/build-web.sh
