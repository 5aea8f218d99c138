# Brisolt: the two set-up commands.
#   make demo   installs what is missing, builds, runs the main job on the sample school
#   make test   installs what is missing, builds, runs every test

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

# Debian packages the build, the tests and the demo need.
PAQUETES = cmake g++ make pkg-config googletest libgtest-dev qt6-base-dev libchm-dev libxcb1-dev \
           python3 python3-dbfread python3-dbf gdal-bin libdbd-xbase-perl fp-utils \
           xvfb xdotool x11-utils clang libclang-rt-dev fonts-dejavu-core fonts-dejavu-extra \
           imagemagick

.PHONY: all deps build test demo clean

all: build

deps:
	@faltan=""; for p in $(PAQUETES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || faltan="$$faltan $$p"; \
	done; \
	if [ -n "$$faltan" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Instalando:$$faltan"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$faltan; \
	  else \
	    echo "Faltan paquetes (instálelos como root):$$faltan"; exit 1; \
	  fi; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

demo: build
	$(BUILD)/bin/brisolt-cli demo

clean:
	rm -rf $(BUILD)
