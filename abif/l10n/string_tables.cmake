# The string tables are data a translator edits: one file per language under
# l10n/strings/. A small generator checks them against the catalogue (no
# number missing or extra, the same format fields as English) and turns them
# into C++ tables, so a faulty translation fails the build.
add_executable(abif_string_tablegen
  ${CMAKE_CURRENT_SOURCE_DIR}/l10n/tablegen/main.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/l10n/tablegen/string_source.cpp)
target_link_libraries(abif_string_tablegen PRIVATE Qt6::Core)
set_target_properties(abif_string_tablegen PROPERTIES AUTOMOC OFF)

set(string_dir ${CMAKE_CURRENT_SOURCE_DIR}/l10n/strings)
file(GLOB language_files CONFIGURE_DEPENDS ${string_dir}/*_*.txt)
set(generated_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
add_custom_command(
  OUTPUT ${generated_dir}/l10n/string_ids.h ${generated_dir}/l10n/string_tables.cpp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${generated_dir}/l10n
  # Qt keeps a few allocations to the end of any process; not a fault of ours.
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:abif_string_tablegen> ${string_dir}/catalogue.txt
          ${generated_dir}/l10n/string_ids.h ${generated_dir}/l10n/string_tables.cpp ${language_files}
  DEPENDS abif_string_tablegen ${string_dir}/catalogue.txt ${language_files}
  COMMENT "Checking and generating the string tables"
  VERBATIM)
target_sources(abif_core PRIVATE ${generated_dir}/l10n/string_ids.h ${generated_dir}/l10n/string_tables.cpp)
target_include_directories(abif_core PUBLIC ${generated_dir})
