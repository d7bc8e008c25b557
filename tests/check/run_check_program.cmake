# A run of the real modsetup-check on a written game folder, as an author runs
# it: cmake -P run_check_program.cmake with
#   WRITER, CHECK    the two programs; EMULATOR runs them where cross-built
#   FOLDER           the game folder to write (relative to the working directory)
#   VARIANT          "" or "faulty" (see write_check_library.cpp)
#   STATUS           the exit status the check must give
#   EXPECT           regular expressions its output must match, separated by ";"
execute_process(COMMAND ${EMULATOR} ${WRITER} ${FOLDER} ${VARIANT} RESULT_VARIABLE written)
if(NOT written EQUAL 0)
  message(FATAL_ERROR "write_check_library ${FOLDER} ${VARIANT} failed: ${written}")
endif()
execute_process(COMMAND ${EMULATOR} ${CHECK} ${FOLDER}/modsetup.exe
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "modsetup-check gave exit status ${status}, not ${STATUS}")
endif()
foreach(pattern IN LISTS EXPECT)
  if(NOT output MATCHES "${pattern}")
    message(FATAL_ERROR "the report does not match: ${pattern}")
  endif()
endforeach()
