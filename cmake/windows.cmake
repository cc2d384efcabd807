# The Windows program: the Win32 edge around the portable core, and the executable.
enable_language(RC)

set(QUORVANE_WIN_DEFINES WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0501 WINVER=0x0501)

add_library(quorvane_win STATIC
  app/drop_target.cpp
  app/hot_key.cpp
  app/panel_host.cpp
  app/poll_tick.cpp
  items/item_file.cpp
  items/list_text.cpp
  platform/process.cpp
  platform/shell.cpp
  platform/window.cpp
  settings/settings_dialog.cpp
  settings/settings_store.cpp
  tray/about_dialog.cpp
  tray/tray.cpp
  view/entry_shell.cpp
  view/launch.cpp
  view/name_tip.cpp
  view/highlight.cpp
  view/paint.cpp)
# No comctl32 and no ole32: the common controls are loaded from the system folder at run time,
# and OLE32 at the first shell call or show, so that it does not slow the start.
target_link_libraries(quorvane_win PUBLIC quorvane_core shell32 gdi32 user32 kernel32)
target_compile_definitions(quorvane_win PUBLIC ${QUORVANE_WIN_DEFINES})
target_compile_options(quorvane_win PRIVATE ${QUORVANE_WARNINGS})

add_executable(quorvane WIN32 app/main.cpp res/quorvane.rc)
target_link_libraries(quorvane PRIVATE quorvane_win)
quorvane_resources_manifest(quorvane)
# The resource script names its icon relative to its own folder.
target_include_directories(quorvane PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/res)
target_compile_options(quorvane PRIVATE ${QUORVANE_WARNINGS})
set_source_files_properties(res/quorvane.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_SOURCE_DIR}/res/quorvane.ico;${CMAKE_CURRENT_SOURCE_DIR}/res/quorvane.manifest;${CMAKE_CURRENT_SOURCE_DIR}/res/resource.h;${CMAKE_CURRENT_SOURCE_DIR}/res/version.h")

if(MSVC)
  # No RTTI and no exceptions, as with GCC below; /O1 comes with MinSizeRel.
  foreach(target quorvane_core quorvane_win quorvane)
    target_compile_options(${target} PRIVATE /GR- /EHs-c-)
  endforeach()

else()
  # Small and self-contained: no exceptions or RTTI, unused sections dropped, the C++
  # runtime linked in so that only system DLLs are imported.
  set(QUORVANE_SMALL -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
      -ffunction-sections -fdata-sections)
  target_compile_options(quorvane_core PRIVATE ${QUORVANE_SMALL})
  target_compile_options(quorvane_win PRIVATE ${QUORVANE_SMALL})
  target_compile_options(quorvane PRIVATE ${QUORVANE_SMALL})
  # No link time in the PE header, so that the same sources always give the same bytes.
  # Marked aware of terminal-server session hosts, as MSVC's linker marks it by default:
  # otherwise Windows gives it a private Windows folder of the user's on such a host.
  target_link_options(quorvane PRIVATE -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp -Wl,--tsaware)
  # windres reads the script as UTF-8 (it holds the Japanese texts).
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()
