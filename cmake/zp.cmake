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

# The floors of the source folders: a file may include headers of its own
# floor and the floors under it. The files of monitor/ that the window
# library builds (the panel, the player, the external monitor) belong to the
# window; the rest of monitor/ (live block, definitions, formats) to the
# middle floor.
set(ZP_FLOORS platform=0 image=1 texts=1 files=2 link=2 mapedit=2 monitor=2 tools=2
  app=3 pages=3 print=3 update=3)
set(ZP_WINDOW_FILES)

# The floor of a file given relative to the source root, or -1 outside the
# project folders (tests, benchmarks, fuzz targets).
function(_zp_floor_of relative out)
  set(floor -1)
  foreach(prefix IN LISTS ZP_WINDOW_FILES)
    string(FIND "${relative}" "${prefix}" at)
    if(at EQUAL 0)
      set(${out} 3 PARENT_SCOPE)
      return()
    endif()
  endforeach()
  string(REGEX REPLACE "/.*" "" folder "${relative}")
  foreach(entry IN LISTS ZP_FLOORS)
    if(entry MATCHES "^${folder}=([0-9]+)$")
      set(floor ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${out} ${floor} PARENT_SCOPE)
endfunction()

# Every target of the project and, recursively, the targets it links.
function(_zp_link_closure target out)
  set(seen ${target})
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    get_target_property(direct ${current} LINK_LIBRARIES)
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    foreach(dependency IN LISTS direct interface)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" dependency "${dependency}")
      if(TARGET ${dependency} AND NOT dependency IN_LIST seen)
        get_target_property(imported ${dependency} IMPORTED)
        if(NOT imported)
          list(APPEND seen ${dependency})
          list(APPEND queue ${dependency})
        endif()
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The project files of a target (relative to the source root): its C++ sources.
function(_zp_target_files target out)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  set(files)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.(cpp|h)$")
      continue()
    endif()
    if(NOT IS_ABSOLUTE "${source}")
      set(source "${dir}/${source}")
    endif()
    file(RELATIVE_PATH relative "${CMAKE_SOURCE_DIR}" "${source}")
    if(NOT relative MATCHES "^\\.\\./")
      list(APPEND files ${relative})
    endif()
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# zp_check_layering(): run once all targets exist. Every library exposes the
# source root, so the compiler alone would accept any include; this check
# makes configuration fail when a file includes a header of a project folder
# that neither its own target nor a target it links owns, or that lies on a
# higher floor than the file itself. A target's own headers are followed from
# its sources and checked the same way.
function(zp_check_layering)
  set(project_folders ${ZP_FOLDERS})
  set(targets)
  set(dirs ${CMAKE_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    get_property(dir_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    list(APPEND dirs ${subdirs})
    list(APPEND targets ${dir_targets})
  endwhile()

  if(TARGET zp_app)
    _zp_target_files(zp_app window_files)
    foreach(file IN LISTS window_files)
      if(file MATCHES "^monitor/")
        string(REGEX REPLACE "\\.[^./]*$" "." stem "${file}")
        list(APPEND ZP_WINDOW_FILES ${stem})
      endif()
    endforeach()
  endif()

  set(errors)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "UTILITY" OR type STREQUAL "INTERFACE_LIBRARY")
      continue()
    endif()
    _zp_link_closure(${target} closure)
    set(owned)
    set(allowed)
    foreach(member IN LISTS closure)
      _zp_target_files(${member} member_files)
      foreach(file IN LISTS member_files)
        string(REGEX REPLACE "/.*" "" folder "${file}")
        list(APPEND allowed ${folder})
        if(member STREQUAL target)
          list(APPEND owned ${folder})
        endif()
      endforeach()
    endforeach()
    list(REMOVE_DUPLICATES allowed)

    _zp_target_files(${target} queue)
    set(visited ${queue})
    while(queue)
      list(POP_FRONT queue file)
      _zp_floor_of("${file}" file_floor)
      file(STRINGS "${CMAKE_SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/[^\"]+\"")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
        string(REGEX REPLACE "/.*" "" folder "${header}")
        if(NOT folder IN_LIST project_folders)
          continue()
        endif()
        if(NOT folder IN_LIST allowed)
          list(APPEND errors "${file} includes ${header}, but ${target} links no target of ${folder}/")
        endif()
        _zp_floor_of("${header}" header_floor)
        if(file_floor GREATER_EQUAL 0 AND header_floor GREATER file_floor)
          list(APPEND errors "${file} includes ${header} from a higher floor")
        endif()
        if(folder IN_LIST owned AND NOT header IN_LIST visited AND EXISTS "${CMAKE_SOURCE_DIR}/${header}")
          list(APPEND visited ${header})
          list(APPEND queue ${header})
        endif()
      endforeach()
    endwhile()
  endforeach()

  if(errors)
    list(REMOVE_DUPLICATES errors)
    list(JOIN errors "\n  " text)
    message(FATAL_ERROR "Layering broken (see the floors in cmake/zp.cmake):\n  ${text}")
  endif()
endfunction()
