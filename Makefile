# Brisolt: the set-up commands.
#   make demo      installs what is missing, builds, runs the main job on the sample school
#   make test      installs what is missing, builds with warnings as errors, runs every test
#   make windows   installs what is missing, cross-builds for Windows, runs the tests under
#                  Wine, packs dist/brisolt-<version>-windows-x86.zip and builds the
#                  installer dist/brisolt-<version>-instalar.exe, checked under Wine
#   make paquete   builds, packs dist/brisolt_<version>_<arch>.deb
#   make formato   checks the layout of every C++ file

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

# The Windows build: 32-bit, the one we ship. Its tests run under Wine; where this
# machine cannot run 32-bit code at all, they run from a 64-bit build beside it.
WINDOWS_BUILD ?= build-windows
WINDOWS64_BUILD ?= build-windows-x64
WINDOWS_BUILD_TYPE ?= RelWithDebInfo
WINDOWS_CMAKE_FLAGS ?=
WINE32 ?= /usr/lib/wine/wine
# The programs we ship; one the build does not define is left out, saying so.
PROGRAMAS_WINDOWS = brisolt brisolt-cli brisolt-escuela brisolt-generador brisolt-anfitrion
DIST ?= dist

# Debian packages: to build the programs, to run the tests, to make the .deb,
# and to cross-build for Windows and test under Wine.
PAQUETES_OBRA = cmake g++ make pkg-config qt6-base-dev libchm-dev libxcb1-dev
PAQUETES_PRUEBAS = googletest libgtest-dev python3 python3-dbfread python3-dbf gdal-bin \
                   libdbd-xbase-perl fp-utils xvfb xdotool x11-utils clang libclang-rt-dev strace \
                   fonts-dejavu-core fonts-dejavu-extra imagemagick locales
PAQUETES_DEB = dpkg-dev file
PAQUETES_WINDOWS = cmake make googletest g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
                   wine wine64 wine32:i386 xvfb zip nsis

# $(call instalar,PACKAGES): apt-get installs the missing ones when run as root;
# an :i386 package first turns on that architecture.
define instalar
	@faltan=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || faltan="$$faltan $$p"; \
	done; \
	if [ -n "$$faltan" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Instalando:$$faltan"; \
	    case "$$faltan" in *:i386*) \
	      dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386;; \
	    esac; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
	      -o DPkg::Lock::Timeout=600 --no-install-recommends $$faltan; \
	  else \
	    echo "Faltan paquetes (instálelos como root):$$faltan"; exit 1; \
	  fi; \
	fi
endef

# $(call definidos,BUILD): those of PROGRAMAS_WINDOWS that the build folder
# defines, each missing one named on standard error.
definidos = objetivos=$$(cmake --build $(1) --target help 2>/dev/null | sed -n 's/^\.\.\. //p' | cut -d' ' -f1); \
	for p in $(PROGRAMAS_WINDOWS); do \
	  if printf '%s\n' $$objetivos | grep -qx "$$p"; then echo $$p; \
	  else echo "$$p.exe: esta compilación no lo tiene; se omite" >&2; fi; \
	done

# $(call cadena,BUILD,TRIPLE): the toolchain, for a build folder's first
# configure only (CMake reads it then and warns of it unused afterwards).
cadena = $(if $(wildcard $(1)/CMakeCache.txt),,--toolchain cmake/$(2).cmake)

.PHONY: formato all deps deps-obra deps-pruebas deps-deb deps-windows build test demo paquete windows clean

all: build

deps: deps-pruebas

deps-obra:
	$(call instalar,$(PAQUETES_OBRA))

deps-pruebas:
	$(call instalar,$(PAQUETES_OBRA) $(PAQUETES_PRUEBAS))

deps-deb:
	$(call instalar,$(PAQUETES_OBRA) $(PAQUETES_DEB))

deps-windows:
	$(call instalar,$(PAQUETES_WINDOWS))

build: deps-obra
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

test: deps-pruebas
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBRISOLT_WERROR=ON -DBRISOLT_TESTS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure --no-tests=error -j$(JOBS)

# Every C++ file laid out as .clang-format says; fails on the first that is not.
formato:
	$(call instalar,clang-format git)
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

demo: build
	$(BUILD)/bin/brisolt-cli demo

paquete: deps-deb build
	rm -rf $(BUILD)/paquete
	cd $(BUILD) && cpack -G DEB -B $(CURDIR)/$(BUILD)/paquete
	mkdir -p $(DIST)
	cp $(BUILD)/paquete/*.deb $(DIST)/
	@ls $(DIST)/*.deb

# Builds the 32-bit programs and their tests and runs the tests under Wine;
# where this machine cannot run 32-bit code, only the programs of the 32-bit
# build are made and the tests come from the 64-bit build. Then the host
# stand-in's end-to-end check, the zip, and the installer with its check
# (where 32-bit code cannot run, on an installer of the 64-bit programs made
# from the same script). The Wine servers of the prefixes are stopped at the
# end of each part, whatever happened.
windows: deps-windows
	cmake -S . -B $(WINDOWS_BUILD) $(call cadena,$(WINDOWS_BUILD),i686-w64-mingw32) \
	  -DCMAKE_BUILD_TYPE=$(WINDOWS_BUILD_TYPE) -DBRISOLT_WERROR=ON $(WINDOWS_CMAKE_FLAGS)
	@programas=$$($(call definidos,$(WINDOWS_BUILD))); \
	if $(WINE32) --version >/dev/null 2>&1; then \
	  pruebas=$(WINDOWS_BUILD); \
	  cmake --build $(WINDOWS_BUILD) -j$(JOBS) || exit 1; \
	else \
	  echo "Este equipo no ejecuta código de 32 bits: de la compilación de 32 bits se hacen solo los programas;"; \
	  echo "las pruebas corren con la de 64 bits ($(WINDOWS64_BUILD))."; \
	  pruebas=$(WINDOWS64_BUILD); \
	  cmake --build $(WINDOWS_BUILD) -j$(JOBS) --target $$programas && \
	  cmake -S . -B $(WINDOWS64_BUILD) $(call cadena,$(WINDOWS64_BUILD),x86_64-w64-mingw32) \
	    -DCMAKE_BUILD_TYPE=$(WINDOWS_BUILD_TYPE) -DBRISOLT_WERROR=ON $(WINDOWS_CMAKE_FLAGS) && \
	  cmake --build $(WINDOWS64_BUILD) -j$(JOBS) || exit 1; \
	fi; \
	estado=0; \
	(cd $$pruebas && ctest --output-on-failure --no-tests=error -j$(JOBS)) || estado=$$?; \
	[ $$estado != 0 ] || bash tests/windows/comparar_con_linux.sh $(BUILD)/bin/brisolt-cli $$pruebas || estado=$$?; \
	WINEPREFIX=$$(cd $$pruebas && pwd)/wine /usr/lib/wine/wineserver -k 2>/dev/null; \
	[ $$estado != 0 ] || bash tests/windows/anfitrion.sh $$pruebas || estado=$$?; \
	WINEPREFIX=$$(cd $$pruebas && pwd)/wine-e2e /usr/lib/wine/wineserver -k 2>/dev/null; \
	exit $$estado
	@version=$$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $(WINDOWS_BUILD)/CMakeCache.txt); \
	nombre=brisolt-$$version; carpeta=$(WINDOWS_BUILD)/paquete/$$nombre; \
	zip=$(CURDIR)/$(DIST)/$$nombre-windows-x86.zip; \
	rm -rf $(WINDOWS_BUILD)/paquete && mkdir -p $$carpeta $(DIST) && \
	for p in $$($(call definidos,$(WINDOWS_BUILD))); do \
	  i686-w64-mingw32-strip -o $$carpeta/$$p.exe $(WINDOWS_BUILD)/bin/$$p.exe || exit 1; \
	done && \
	{ printf '\357\273\277'; sed 's/$$/\r/' packaging/windows/LEEME.txt; } > $$carpeta/LEEME.txt && \
	rm -f $$zip && (cd $(WINDOWS_BUILD)/paquete && zip -qrX $$zip $$nombre) && \
	zip -sf $$zip && \
	makensis -V2 -INPUTCHARSET UTF8 -DVERSION=$$version -DPROGRAMAS=$(CURDIR)/$$carpeta \
	  -DSALIDA=$(CURDIR)/$(DIST)/$$nombre-instalar.exe packaging/windows/brisolt.nsi && \
	ls -l $(DIST)/$$nombre-instalar.exe
	@version=$$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $(WINDOWS_BUILD)/CMakeCache.txt); \
	if $(WINE32) --version >/dev/null 2>&1; then \
	  compilacion=$(WINDOWS_BUILD); programas=$(CURDIR)/$(WINDOWS_BUILD)/paquete/brisolt-$$version; \
	  instalador=$(CURDIR)/$(DIST)/brisolt-$$version-instalar.exe; \
	else \
	  echo "El instalador de 32 bits no corre aquí: se comprueba uno de los programas de 64 bits, del mismo guion."; \
	  compilacion=$(WINDOWS64_BUILD); programas=$(CURDIR)/$(WINDOWS64_BUILD)/instalador; \
	  instalador=$(CURDIR)/$(WINDOWS64_BUILD)/brisolt-$$version-instalar-x64.exe; \
	  rm -rf $$programas && mkdir -p $$programas && \
	  for p in brisolt brisolt-cli; do \
	    [ ! -f $(WINDOWS64_BUILD)/bin/$$p.exe ] || cp $(WINDOWS64_BUILD)/bin/$$p.exe $$programas/ || exit 1; \
	  done && \
	  cp $(WINDOWS_BUILD)/paquete/brisolt-$$version/LEEME.txt $$programas/ && \
	  makensis -V1 -INPUTCHARSET UTF8 -DVERSION=$$version -DPROGRAMAS=$$programas -DSALIDA=$$instalador \
	    -DOBJETIVO=amd64-unicode packaging/windows/brisolt.nsi || exit 1; \
	fi; \
	prefijo=$$(cd $$compilacion && pwd)/wine-e2e; estado=0; \
	bash tests/windows/instalador.sh $$instalador $$programas $$prefijo || estado=$$?; \
	WINEPREFIX=$$prefijo /usr/lib/wine/wineserver -k 2>/dev/null; \
	exit $$estado

clean:
	rm -rf $(BUILD)
