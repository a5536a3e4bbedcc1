# Compiler settings shared by every target of the project.

# The project's own code builds with warnings as errors; third-party headers are
# included as system headers so their warnings do not count.
add_library(vl_warnings INTERFACE)
target_compile_options(vl_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
  -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Werror)

# Optimised builds (the package's) carry Debian's hardening: fortified libc
# calls, stack protection, position-independent executables and a read-only
# relocation table resolved at start.
if(NOT VL_SANITIZE AND CMAKE_BUILD_TYPE MATCHES "Rel")
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()

if(VL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Engine libraries must not see Qt: any Qt header reached from them fails the build.
function(vl_engine_library name)
  add_library(${name} STATIC ${ARGN})
  target_link_libraries(${name} PRIVATE vl_warnings)
  target_compile_definitions(${name} PRIVATE VL_ENGINE_CODE=1)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Adds every .cpp of the current folder to a library target.
function(vl_glob_sources out)
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(${out} ${_sources} PARENT_SCOPE)
endfunction()
