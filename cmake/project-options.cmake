# Compiler settings shared by every target of the project.
add_library(vistrel_options INTERFACE)
if(MSVC)
  target_compile_options(vistrel_options INTERFACE /W4 /permissive-)
else()
  target_compile_options(vistrel_options INTERFACE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
endif()

if(VISTREL_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # The standard library checks its own indexing too: an element one past a
  # container's end can sit in padding where the address checks cannot see it.
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
endif()

if(VISTREL_FUZZ)
  # Every library under test carries the fuzzer's coverage instrumentation.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
endif()

if(WIN32)
  # The controller speaks 8-bit strings and the ANSI calls; the launcher sets UNICODE itself.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()

# nlohmann-json is header-only; the cross build takes Debian's headers directly.
if(WIN32)
  # Only the nlohmann folder may be visible to the cross compiler, never the rest of /usr/include.
  set(_third ${CMAKE_BINARY_DIR}/third-party-include)
  file(MAKE_DIRECTORY ${_third})
  if(NOT EXISTS ${_third}/nlohmann)
    file(CREATE_LINK /usr/include/nlohmann ${_third}/nlohmann SYMBOLIC)
  endif()
  add_library(vistrel_json INTERFACE)
  target_include_directories(vistrel_json SYSTEM INTERFACE ${_third})
else()
  add_library(vistrel_json INTERFACE)
  target_link_libraries(vistrel_json INTERFACE nlohmann_json::nlohmann_json)
endif()

# Adds a GoogleTest program. Native builds run it directly, Windows builds under Wine.
function(vistrel_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock_main vistrel_options)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 300)
endfunction()

# Shipped programs go out without their debug information, which Wine would map
# into every running copy's private memory; it stays beside them in NAME.debug,
# found by debuggers through the image's debug link.
# Their sections also start on page boundaries in the file: Wine maps such an
# image from the file and only the pages used are read, where with the linker's
# default 512-byte alignment it copies the whole image, every resource of both
# languages included, into private memory.
function(vistrel_split_debug_info target)
  if(NOT WIN32)
    return()
  endif()
  target_link_options(${target} PRIVATE -Wl,--file-alignment,0x1000)
  if(NOT CMAKE_OBJCOPY)
    find_program(CMAKE_OBJCOPY NAMES x86_64-w64-mingw32-objcopy objcopy REQUIRED)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug $<TARGET_FILE_NAME:${target}>
    COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()

# A DLL whose .def names its __stdcall functions undecorated, as the system's and
# the maker's libraries export them: on x86 the linker matches each name to its
# decorated symbol (QrxFindMonitors to QrxFindMonitors@8), and is told that this
# is meant. x64 has no decoration.
function(vistrel_undecorated_exports target)
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
endfunction()
