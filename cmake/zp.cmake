# zp_core_library(name SOURCES...): a library without widgets. Fuzz builds
# compile it with clang, so it must not need Qt Gui or Widgets.
function(zp_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# zp_test(name LIBS libs... [LABELS label] [GUI] SOURCES files...)
# One test executable per library, registered through gtest discovery.
function(zp_test name)
  cmake_parse_arguments(T "GUI" "" "LIBS;LABELS;SOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE zp_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE zp_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  # One label per executable: gtest discovery writes the properties out as a
  # flat list, which cannot carry a list of labels.
  if(T_LABELS)
    list(GET T_LABELS 0 label)
  elseif(T_GUI)
    set(label gui)
  else()
    set(label unit)
  endif()
  if(label STREQUAL "link" OR label STREQUAL "threads")
    # The ThreadSanitizer run builds only these.
    if(NOT TARGET zp_link_tests)
      add_custom_target(zp_link_tests)
    endif()
    add_dependencies(zp_link_tests ${name})
  endif()
  gtest_discover_tests(${name} NO_PRETTY_VALUES
    PROPERTIES LABELS ${label} ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()

# zp_fuzz(name LIBS libs... SOURCES files...)
function(zp_fuzz name)
  cmake_parse_arguments(F "" "" "LIBS;SOURCES" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_property(GLOBAL APPEND PROPERTY ZP_FUZZ_TARGETS ${name})
endfunction()

# zp_append_presets(target folder): after each link of the program, the preset
# folder is imported into the archive appended to the program file (the
# folder's own name, e.g. NEW_308, becomes the archive directory). Nothing is
# appended while the folder does not exist.
function(zp_append_presets target folder)
  if(NOT IS_DIRECTORY ${folder})
    return()
  endif()
  add_dependencies(${target} impet)
  # A changed preset relinks the program, so that the archive follows it.
  file(GLOB_RECURSE preset_files CONFIGURE_DEPENDS ${folder}/*)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${preset_files})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND impet "OPEN $<TARGET_FILE:${target}>" "IMPORT \"${folder}\" \"\"" SAVE
    COMMENT "Appending the presets of ${folder} to ${target}"
    VERBATIM)
endfunction()
