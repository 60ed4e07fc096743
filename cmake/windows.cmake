# The Windows program, its resources and the tests that run under Wine.
enable_language(RC)
# Every call that takes text is the wide one, even where the code names no width.
add_compile_definitions(UNICODE _UNICODE)

# One source, two programs: x86 (PE32) and x64 (PE32+). Each build's name follows what
# players download side by side; its bench runs the Wine of the same width.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUILTRA_BUILD_NAME x64)
  set(QUILTRA_WINE_ARCH win64)
else()
  set(QUILTRA_BUILD_NAME x86)
  set(QUILTRA_WINE_ARCH win32)
endif()
file(WRITE ${CMAKE_BINARY_DIR}/wine-arch ${QUILTRA_WINE_ARCH})

# Windows-side tests run under Wine, on the bench that belongs to this build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-exec.sh ${CMAKE_BINARY_DIR})

set(QUILTRA_STATIC_FLAGS -static -static-libgcc -static-libstdc++)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ART_DIR ${CMAKE_BINARY_DIR}/art)
set(ART_FILES ${ART_DIR}/quiltra.ico ${ART_DIR}/box.ico ${ART_DIR}/hand.cur
              ${ART_DIR}/toolbar.bmp ${ART_DIR}/toolbar150.bmp ${ART_DIR}/toolbar200.bmp
              ${ART_DIR}/start.bmp)
add_custom_command(OUTPUT ${ART_FILES}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_art.py ${ART_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_art.py
  COMMENT "Drawing icons, cursor and bitmaps")
add_custom_target(quiltra_art DEPENDS ${ART_FILES})

# The project's version reaches the version resource and the About box through this header.
set(QUILTRA_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(resources/version.h.in ${QUILTRA_GENERATED}/quiltra_version.h @ONLY)

# Resources live in an object library so that the in-process tests carry the
# same menus, dialogs, bitmaps and manifest as the program: with the manifest they
# run on the same common controls (version 6).
add_library(quiltra_resources OBJECT resources/quiltra.rc)
target_include_directories(quiltra_resources PRIVATE ${PROJECT_SOURCE_DIR} ${ART_DIR}
                           ${QUILTRA_GENERATED})
set_source_files_properties(resources/quiltra.rc PROPERTIES
  OBJECT_DEPENDS "${ART_FILES};${PROJECT_SOURCE_DIR}/resources/resource_ids.h;${PROJECT_SOURCE_DIR}/resources/quiltra.manifest;${QUILTRA_GENERATED}/quiltra_version.h")
add_dependencies(quiltra_resources quiltra_art)

# The Win32 layer: an object set that the program and every in-process test link whole, so
# that the shell's answers to the model's calls (model/shell_calls.h) are always there
# when the core's archive is searched after it.
add_library(quiltra_win OBJECT
  shell/shell_state.cpp
  shell/settings.cpp
  shell/startup.cpp
  shell/main_window.cpp
  shell/commands.cpp
  shell/game_view.cpp
  shell/given_file.cpp
  shell/menu_state.cpp
  shell/title.cpp
  shell/recovery.cpp
  shell/model_calls.cpp
  shell/music.cpp
  shell/music_loop.cpp
  shell/toolbar.cpp
  model/settings_dialog_windows.cpp
  model/new_puzzle_windows.cpp
  board/board_state.cpp
  board/view_state.cpp
  board/board_window.cpp
  board/board_paint.cpp
  board/board_changes.cpp
  board/stale_area.cpp
  board/board_mouse.cpp
  board/piece_images.cpp
  board/ellipse_stamps.cpp
  board/scroll.cpp
  box/box_state.cpp
  box/box_window.cpp
  box/box_layout.cpp
  box/box_paint.cpp
  box/box_mouse.cpp
  files/file_names.cpp
  files/game_file.cpp
  files/path_field.cpp
  files/recovery_file.cpp
  files/open_picture.cpp)
# The ground floor: Win32 helpers that include nothing of the program above them, so that
# any window's code may call them and they call nothing back.
add_library(quiltra_win_helpers STATIC
  win/brushes.cpp
  win/cursors.cpp
  win/dpi.cpp
  win/failure_box.cpp
  win/image_library.cpp
  win/pointer.cpp
  win/program_folder.cpp
  win/scroll_bar.cpp
  win/surface.cpp)
target_link_libraries(quiltra_win_helpers PUBLIC quiltra_core comdlg32 gdi32 user32 ole32 uuid)
# The MCI sender sits alone in an archive so that a test can link a recording one instead:
# the archive's member is then never pulled in.
add_library(quiltra_mci_send STATIC win/mci_send.cpp)
target_include_directories(quiltra_mci_send PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(quiltra_mci_send PUBLIC winmm)
target_link_libraries(quiltra_win PUBLIC quiltra_win_helpers quiltra_core quiltra_mci_send comctl32
                      comdlg32 gdi32 user32 advapi32 shell32 winmm ole32 uuid)

add_executable(Quiltra WIN32 shell/win_main.cpp $<TARGET_OBJECTS:quiltra_resources>)
target_link_libraries(Quiltra PRIVATE quiltra_win)
# wWinMain: the command line arrives in UTF-16, whatever the system's code page spells.
target_link_options(Quiltra PRIVATE ${QUILTRA_STATIC_FLAGS} -municode)
# Pictures are large: on 64-bit Windows the x86 program may use the whole 4 GB.
if(QUILTRA_BUILD_NAME STREQUAL x86)
  target_link_options(Quiltra PRIVATE -Wl,--large-address-aware)
endif()

# GoogleTest for the Windows side, built with the same cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# An in-process test program: the Win32 layer with the program's resources (so that it runs
# on the same common controls, version 6, as the program) and the shared test main.
function(add_wine_test target)
  add_executable(${target} ${ARGN} $<TARGET_OBJECTS:quiltra_resources>)
  target_link_libraries(${target} PRIVATE quiltra_win quiltra_test_main)
  target_link_options(${target} PRIVATE ${QUILTRA_STATIC_FLAGS})
endfunction()

add_subdirectory(tests/support)
add_subdirectory(tests/win)
add_subdirectory(tests/shell)
# The files tests draw the pictures that the model's dialog tests use too.
add_subdirectory(tests/files)
add_subdirectory(tests/model)
add_subdirectory(tests/board)
add_subdirectory(tests/box)
add_subdirectory(tests/e2e)
add_subdirectory(tests/perf)
add_subdirectory(tests/resources)

# ---- Music, help page and the shipping zip ----
# The program looks for its tunes and its help page beside Quiltra.exe.
set(QUILTRA_MUSIC ${CMAKE_BINARY_DIR}/londonderry.mid ${CMAKE_BINARY_DIR}/fanfare.mid)
set(QUILTRA_HELP ${CMAKE_BINARY_DIR}/help/index.html)
add_custom_command(OUTPUT ${QUILTRA_MUSIC}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_midi.py ${CMAKE_BINARY_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_midi.py
  COMMENT "Writing the music")
add_custom_command(OUTPUT ${QUILTRA_HELP}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/help/index.html ${QUILTRA_HELP}
  DEPENDS ${PROJECT_SOURCE_DIR}/help/index.html)
# The player's readme: Shift-JIS with CRLF, as Notepad on a Japanese Windows expects.
set(QUILTRA_README ${CMAKE_BINARY_DIR}/readme.txt)
add_custom_command(OUTPUT ${QUILTRA_README}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_readme.py
          ${PROJECT_SOURCE_DIR}/resources/readme.txt ${PROJECT_VERSION} ${QUILTRA_BUILD_NAME}
          ${QUILTRA_README}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_readme.py ${PROJECT_SOURCE_DIR}/resources/readme.txt
  COMMENT "Writing the readme")
add_custom_target(quiltra_data ALL DEPENDS ${QUILTRA_MUSIC} ${QUILTRA_HELP} ${QUILTRA_README})

set(QUILTRA_ZIP ${CMAKE_BINARY_DIR}/Quiltra-${PROJECT_VERSION}-${QUILTRA_BUILD_NAME}.zip)
add_custom_command(OUTPUT ${QUILTRA_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QUILTRA_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${QUILTRA_ZIP} --format=zip --
          $<TARGET_FILE_NAME:Quiltra> londonderry.mid fanfare.mid help readme.txt
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS Quiltra ${QUILTRA_MUSIC} ${QUILTRA_HELP} ${QUILTRA_README}
  COMMENT "Packing Quiltra-${PROJECT_VERSION}-${QUILTRA_BUILD_NAME}.zip")
add_custom_target(package_zip DEPENDS ${QUILTRA_ZIP})

add_subdirectory(tests/tools)
add_subdirectory(tests/package)
