# The two everyday commands: `make run` builds and starts the game, `make test` builds and runs the tests.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test package deps-build deps-test clean

run: deps-build
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPIREHOLD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target spirehold
	./$(BUILD)/spirehold

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
	rm -rf $(BUILD)

# The game in the browser: builds the site into build-web/site/ (serve that folder as it stands).
.PHONY: web
web:
	scripts/build-web.sh
