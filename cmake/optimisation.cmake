# Faster engine binaries, for the programs that play (tools/start.sh, the
# installed engine, the packages); the plain build and the tests are left
# as they are.
#
#   VELMAR_LTO  optimises the engine across its source files at link time.
#   VELMAR_PGO  adds profile-guided optimisation to that: the build first
#               makes an instrumented engine (in pgo/ under the build
#               directory), runs "velmar bench" with it, and compiles the
#               engine with the branch and call counts it recorded. One
#               "cmake --build" does both stages; they are redone when a
#               source changes.
#
# Both give the engine binary its own objects, compiled with these flags; the
# library the tests link (velmar_core) stays the plain build's. The search is
# the same code either way, so the bench node count does not change.
#
# Included after the targets velmar_core and velmar exist. The training
# build sets VELMAR_PGO_ENTRAINEMENT to the directory where its profile goes.

set(velmar_pgo_actif ${VELMAR_PGO})
if(VELMAR_PGO AND CMAKE_CROSSCOMPILING)
  message(WARNING "VELMAR_PGO: the training run cannot run on this machine when cross-compiling; "
                  "building with link-time optimisation only")
  set(velmar_pgo_actif OFF)
endif()
if(VELMAR_PGO AND NOT CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
  message(WARNING "VELMAR_PGO needs GCC or Clang; building with link-time optimisation only")
  set(velmar_pgo_actif OFF)
endif()
if(velmar_pgo_actif AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # Clang writes raw profiles that llvm-profdata merges into one file.
  string(REGEX MATCH "^[0-9]+" velmar_clang_majeure "${CMAKE_CXX_COMPILER_VERSION}")
  find_program(VELMAR_LLVM_PROFDATA NAMES llvm-profdata-${velmar_clang_majeure} llvm-profdata
               HINTS ${CMAKE_CXX_COMPILER_DIR})
  if(NOT VELMAR_LLVM_PROFDATA)
    message(WARNING "VELMAR_PGO with Clang needs llvm-profdata (package llvm); "
                    "building with link-time optimisation only")
    set(velmar_pgo_actif OFF)
  endif()
endif()

if(NOT (velmar_pgo_actif OR VELMAR_LTO OR VELMAR_PGO OR VELMAR_PGO_ENTRAINEMENT))
  target_link_libraries(velmar PRIVATE velmar_core)
  return()
endif()

# The engine's own objects, with everything velmar_core is built and linked
# with. velmar_core is then built only for the targets that link it.
target_sources(velmar PRIVATE ${VELMAR_SOURCES})
target_include_directories(velmar PRIVATE $<TARGET_PROPERTY:velmar_core,INCLUDE_DIRECTORIES>)
target_include_directories(velmar SYSTEM PRIVATE $<TARGET_PROPERTY:velmar_core,INTERFACE_SYSTEM_INCLUDE_DIRECTORIES>)
target_compile_definitions(velmar PRIVATE $<TARGET_PROPERTY:velmar_core,COMPILE_DEFINITIONS>)
target_link_libraries(velmar PRIVATE $<TARGET_PROPERTY:velmar_core,LINK_LIBRARIES>)
set_target_properties(velmar_core PROPERTIES EXCLUDE_FROM_ALL TRUE)

if(VELMAR_PGO_ENTRAINEMENT)
  # The instrumented engine of the training build. GCC names each counts
  # file after its object's path; without the build directory in that name
  # the final build, elsewhere, finds them.
  target_compile_options(velmar PRIVATE -fprofile-generate=${VELMAR_PGO_ENTRAINEMENT})
  target_link_options(velmar PRIVATE -fprofile-generate=${VELMAR_PGO_ENTRAINEMENT})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(velmar PRIVATE -fprofile-prefix-path=${CMAKE_BINARY_DIR})
  endif()
  return()
endif()

if(VELMAR_LTO OR VELMAR_PGO)
  include(CheckIPOSupported)
  check_ipo_supported(RESULT velmar_ipo OUTPUT velmar_ipo_erreur LANGUAGES CXX)
  if(velmar_ipo)
    set_target_properties(velmar PROPERTIES INTERPROCEDURAL_OPTIMIZATION TRUE)
  else()
    message(WARNING "Link-time optimisation is not available with this toolchain: ${velmar_ipo_erreur}")
  endif()
endif()

if(NOT velmar_pgo_actif)
  return()
endif()

# The training: a build of the instrumented engine in pgo/construction with
# the same compiler and VELMAR_ settings, then "velmar bench" (one thread, so
# the counters need no atomic updates). cmake/entrainement_pgo.cmake runs it.
set(velmar_pgo ${CMAKE_BINARY_DIR}/pgo)
set(velmar_pgo_profil ${velmar_pgo}/profil)
set(velmar_pgo_reglages
  -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
  -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}
  -DCMAKE_CXX_FLAGS=${CMAKE_CXX_FLAGS}
  -DCMAKE_EXE_LINKER_FLAGS=${CMAKE_EXE_LINKER_FLAGS}
  -DCMAKE_MAKE_PROGRAM=${CMAKE_MAKE_PROGRAM}
  -DVELMAR_TESTS=OFF -DVELMAR_PGO=OFF -DVELMAR_LTO=OFF
  -DVELMAR_PGO_ENTRAINEMENT=${velmar_pgo_profil})
get_cmake_property(velmar_variables CACHE_VARIABLES)
foreach(variable ${velmar_variables})
  get_property(type CACHE ${variable} PROPERTY TYPE)
  if(variable MATCHES "^VELMAR_" AND NOT type STREQUAL "INTERNAL"
     AND NOT variable MATCHES "^VELMAR_(TESTS|PGO|LTO|PGO_ENTRAINEMENT|LLVM_PROFDATA)$")
    list(APPEND velmar_pgo_reglages "-D${variable}=${${variable}}")
  endif()
endforeach()
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(velmar_pgo_fusion ${VELMAR_LLVM_PROFDATA})
  set(velmar_pgo_donnees ${velmar_pgo}/velmar.profdata)
else()
  set(velmar_pgo_fusion "")
  set(velmar_pgo_donnees ${velmar_pgo_profil})
endif()
set(velmar_pgo_reglages_texte "")
foreach(reglage ${velmar_pgo_reglages})
  string(APPEND velmar_pgo_reglages_texte "\n    [==[${reglage}]==]")
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/cmake/entrainement_pgo.cmake.in ${velmar_pgo}/entrainement.cmake @ONLY)

file(GLOB VELMAR_ENTETES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.h ${CMAKE_SOURCE_DIR}/tools/*.h)
add_custom_command(OUTPUT ${velmar_pgo}/profil.stamp
  COMMAND ${CMAKE_COMMAND} -P ${velmar_pgo}/entrainement.cmake
  DEPENDS ${VELMAR_SOURCES} ${CMAKE_SOURCE_DIR}/src/main.cpp ${VELMAR_ENTETES}
          ${CMAKE_SOURCE_DIR}/CMakeLists.txt ${CMAKE_SOURCE_DIR}/cmake/optimisation.cmake
          ${velmar_pgo}/entrainement.cmake
  COMMENT "Profile-guided build: training run of the instrumented engine (velmar bench)"
  VERBATIM)
add_custom_target(velmar_profil DEPENDS ${velmar_pgo}/profil.stamp)
# The engine's objects are compiled once the profile is there. An object
# whose source did not change keeps the profile it was compiled with.
add_dependencies(velmar velmar_profil)

target_compile_options(velmar PRIVATE -fprofile-use=${velmar_pgo_donnees})
target_link_options(velmar PRIVATE -fprofile-use=${velmar_pgo_donnees})
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Code the training does not reach (tablebases, the interface) is
  # optimised as in the plain build rather than for size.
  target_compile_options(velmar PRIVATE -fprofile-prefix-path=${CMAKE_BINARY_DIR}
                         -fprofile-partial-training -Wno-missing-profile)
endif()
