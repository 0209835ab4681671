# Regenerates every gauge's bitmaps into OUTPUT_ROOT and compares them byte for byte with the
# committed ones under COMMITTED_ROOT.
#
#   cmake -DQX_ART=<qx-art> -DOUTPUT_ROOT=<dir> -DCOMMITTED_ROOT=<gauges dir> -P check_reproducible.cmake

foreach(var QX_ART OUTPUT_ROOT COMMITTED_ROOT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${OUTPUT_ROOT}")
file(MAKE_DIRECTORY "${OUTPUT_ROOT}")
execute_process(
    COMMAND "${QX_ART}" --all "${OUTPUT_ROOT}"
    RESULT_VARIABLE result
    OUTPUT_QUIET
)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "qx-art --all failed (${result})")
endif()

file(GLOB_RECURSE generated RELATIVE "${OUTPUT_ROOT}" "${OUTPUT_ROOT}/*")
list(SORT generated)
if(NOT generated)
    message(FATAL_ERROR "qx-art wrote no files")
endif()

set(differing "")
foreach(file IN LISTS generated)
    if(NOT EXISTS "${COMMITTED_ROOT}/${file}")
        list(APPEND differing "gauges/${file} (not committed)")
        continue()
    endif()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E compare_files "${OUTPUT_ROOT}/${file}" "${COMMITTED_ROOT}/${file}"
        RESULT_VARIABLE same
    )
    if(NOT same EQUAL 0)
        list(APPEND differing "gauges/${file}")
    endif()
endforeach()

if(differing)
    list(JOIN differing "\n  " listing)
    message(FATAL_ERROR
        "regenerated bitmaps differ from the committed ones:\n  ${listing}\n"
        "Run the 'art' target to regenerate them, then review and commit the result.")
endif()
list(LENGTH generated count)
message(STATUS "${count} bitmaps match the committed files")
