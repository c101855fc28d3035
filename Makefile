# Builds the engine alone, without CMake and without the tests:
#
#     make [EXE=name] [CXX=compiler] [NATIVE=0] [-j2]
#
# The program goes to ./$(EXE) (default ./velmar); objects go to build-make/.
# This is the build distributed testing frameworks (OpenBench) run on each
# worker, which then runs "$(EXE) bench", so by default the code is made for
# the building machine's processor (-march=native); NATIVE=0 makes a portable
# binary. The compiler flags are those of the CMake Release build
# (CMakeLists.txt); tests, packages and cross builds go through CMake.

EXE ?= velmar
NATIVE ?= 1
OBJ := build-make

SOURCES := src/main.cpp $(sort $(wildcard src/*/*.cpp tools/*.cpp))

# $(call accepte,FLAG): FLAG when $(CXX) compiles with it, else nothing.
accepte = $(shell echo 'int main(){}' | $(CXX) $(1) -x c++ -o /dev/null - >/dev/null 2>&1 && echo $(1))
# $(call a_entete,HEADER): yes when $(CXX) finds the header.
a_entete = $(shell echo '\#include <$(1)>' | $(CXX) -x c++ -E -o /dev/null - >/dev/null 2>&1 && echo yes)

CXXFLAGS_VELMAR := -std=c++20 -O3 -DNDEBUG -Wall -Wextra -Wshadow -Isrc -Itools -pthread \
                   -fno-pie -ftls-model=local-exec
LDFLAGS_VELMAR := -pthread $(call accepte,-no-pie)
LIBS_VELMAR :=

# Bit counts in one instruction where the compiler targets x86 (the flag means
# nothing elsewhere); -march=native includes it where the processor has it.
ifneq ($(filter x86_64% amd64% i386% i486% i586% i686%,$(shell $(CXX) -dumpmachine)),)
  CXXFLAGS_VELMAR += -mpopcnt
endif
ifeq ($(NATIVE),1)
  CXXFLAGS_VELMAR += $(call accepte,-march=native)
endif

# zlib lets the book builder read .pgn.gz files itself.
ifeq ($(call a_entete,zlib.h),yes)
  CXXFLAGS_VELMAR += -DVELMAR_ZLIB
  LIBS_VELMAR += -lz
endif

# Syzygy tablebases through the Fathom library (Debian's libfathom-dev);
# without it the engine is built without them (src/syzygy/sans_fathom.cpp
# instead of the files that call the library), as CMake does.
SYZYGY_FATHOM := $(addprefix src/syzygy/,chargement.cpp sonde_syzygy.cpp verification.cpp)
ifeq ($(call a_entete,tbprobe.h),yes)
  SOURCES := $(filter-out src/syzygy/sans_fathom.cpp,$(SOURCES))
  CXXFLAGS_VELMAR += -DVELMAR_SYZYGY=1
  LIBS_VELMAR += -lfathom
else ifneq ($(wildcard src/syzygy/sans_fathom.cpp),)
  $(info Fathom (tbprobe.h, libfathom) not found: building without Syzygy tablebases)
  SOURCES := $(filter-out $(SYZYGY_FATHOM),$(SOURCES))
  CXXFLAGS_VELMAR += -DVELMAR_SYZYGY=0
else ifneq ($(MAKECMDGOALS),clean)
  $(error the Fathom library (tbprobe.h, libfathom) was not found: install it with 'apt-get install libfathom-dev')
endif

OBJECTS := $(SOURCES:%.cpp=$(OBJ)/%.o)

# The objects are remade when the compiler or its flags change.
DRAPEAUX := $(CXX) $(CXXFLAGS_VELMAR) $(CXXFLAGS)
$(shell mkdir -p $(OBJ) && echo '$(DRAPEAUX)' | cmp -s - $(OBJ)/drapeaux || echo '$(DRAPEAUX)' >$(OBJ)/drapeaux)

$(EXE): $(OBJECTS)
	$(CXX) $(LDFLAGS_VELMAR) $(LDFLAGS) -o $@ $(OBJECTS) $(LIBS_VELMAR) $(LIBS)

$(OBJ)/%.o: %.cpp $(OBJ)/drapeaux
	@mkdir -p $(dir $@)
	$(CXX) $(CXXFLAGS_VELMAR) $(CXXFLAGS) -MMD -MP -c $< -o $@

-include $(OBJECTS:.o=.d)

clean:
	rm -rf $(OBJ)

.PHONY: clean
