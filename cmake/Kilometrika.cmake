# kmk_test(<name> [GUI] SOURCES ... LIBS ...): one GoogleTest binary per folder.
# GUI tests get a QApplication and run offscreen unless QT_QPA_PLATFORM names
# another platform (on xcb each binary on an X server of its own); others a
# QCoreApplication.
function(kmk_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  if(T_GUI)
    set(main ${CMAKE_SOURCE_DIR}/tests/support/gui_main.cpp)
    set(qt Qt6::Widgets)
  else()
    set(main ${CMAKE_SOURCE_DIR}/tests/support/core_main.cpp)
    set(qt Qt6::Core)
  endif()
  add_executable(${name} ${T_SOURCES} ${main})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${qt} GTest::gtest GTest::gmock Qt6::Test)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/testbin)
  if(T_GUI)
    add_test(NAME ${name} COMMAND sh ${CMAKE_SOURCE_DIR}/tests/support/eigenes-display.sh $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  # No platform here: the test's main takes the caller's QT_QPA_PLATFORM
  # (xcb on a real display) and falls back to offscreen.
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "KMK_SOURCE_DIR=${CMAKE_SOURCE_DIR};KMK_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
    TIMEOUT 300)
endfunction()

# kmk_library(<target> [SHARED] DEPS ...): every .cpp/.h of the calling folder makes one library.
function(kmk_library name)
  cmake_parse_arguments(L "SHARED" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(GLOB cpps CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT cpps)
    return()  # folder not started yet
  endif()
  if(L_SHARED)
    add_library(${name} SHARED ${srcs})
  else()
    add_library(${name} STATIC ${srcs})
  endif()
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_DEPS})
endfunction()

# kmk_folder_test(<name> [GUI] LIBS ...): every .cpp of the calling test folder makes one test binary.
function(kmk_folder_test name)
  cmake_parse_arguments(F "GUI" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT srcs)
    return()
  endif()
  # A missing library must stop the configure step: skipping the binary
  # would drop its tests from the suite without a word.
  foreach(lib IN LISTS F_LIBS)
    if(NOT TARGET ${lib})
      message(FATAL_ERROR "Test binary ${name}: library target ${lib} does not exist")
    endif()
  endforeach()
  if(F_GUI)
    kmk_test(${name} GUI SOURCES ${srcs} LIBS ${F_LIBS})
  else()
    kmk_test(${name} SOURCES ${srcs} LIBS ${F_LIBS})
  endif()
endfunction()
