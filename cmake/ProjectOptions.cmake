# Compiler settings shared by every target of the project.

# The project's own code builds with warnings as errors; third-party headers are
# included as system headers so their warnings do not count.
add_library(vl_warnings INTERFACE)
target_compile_options(vl_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
  -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Werror)

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
