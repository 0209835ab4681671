# Checks `panelhost render` and `panelhost sheet` from the outside: a good run writes a PNG of
# the gauge's size; a bad argument gets a clear message, a non-zero exit and no file at all.
#
# Variables: PANELHOST, CLOCK (the clock module), SCENARIO (its default scenario), WORK_DIR.

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(fail message)
    message(SEND_ERROR "${message}")
endfunction()

# The width and height stored in a PNG file's header.
function(png_size file out_width out_height)
    file(READ ${file} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    if(NOT signature STREQUAL "89504e470d0a1a0a")
        fail("${file} is not a PNG file")
    endif()
    string(SUBSTRING "${header}" 32 8 width_hex)
    string(SUBSTRING "${header}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    set(${out_width} ${width} PARENT_SCOPE)
    set(${out_height} ${height} PARENT_SCOPE)
endfunction()

function(expect_picture name width height)
    set(output ${WORK_DIR}/${name}.png)
    execute_process(COMMAND ${PANELHOST} ${ARGN} --output ${output}
        RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        fail("${name}: exit ${result}: ${errors}")
        return()
    endif()
    png_size(${output} got_width got_height)
    if(width AND NOT "${got_width}x${got_height}" STREQUAL "${width}x${height}")
        fail("${name}: ${got_width}x${got_height}, expected ${width}x${height}")
    endif()
endfunction()

# Runs a command that must fail with `expected` in its message and leave no output behind.
function(expect_refusal name expected)
    set(output ${WORK_DIR}/${name}.png)
    execute_process(COMMAND ${PANELHOST} ${ARGN}
        RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
    if(result EQUAL 0)
        fail("${name}: succeeded, expected a refusal")
    endif()
    string(FIND "${errors}" "${expected}" found)
    if(found EQUAL -1)
        fail("${name}: message '${errors}' does not say '${expected}'")
    endif()
    file(GLOB left ${WORK_DIR}/${name}*)
    if(left)
        fail("${name}: left ${left} behind")
    endif()
endfunction()

set(out ${WORK_DIR})

expect_picture(clock 272 271 render ${CLOCK} --scenario ${SCENARIO})
expect_picture(clock_scale_3 816 813 render ${CLOCK} --scenario ${SCENARIO} --scale 3)
expect_picture(clock_sheet "" "" sheet ${CLOCK}:${SCENARIO} ${CLOCK} --scale 2)

expect_refusal(token_syntax "--var expects A=B"
    render ${CLOCK} --var 3:10 --output ${out}/token_syntax.png)
expect_refusal(token_number "a token must be a whole number"
    render ${CLOCK} --var hour=10 --output ${out}/token_number.png)
expect_refusal(no_module "cannot load the module"
    render ${out}/no_such_module.so --output ${out}/no_module.png)
expect_refusal(no_directory "there is no directory"
    render ${CLOCK} --output ${out}/no_such_directory/no_directory.png)
expect_refusal(bad_scale "--scale must be a whole number from 1 to 3"
    render ${CLOCK} --scale 4 --output ${out}/bad_scale.png)
expect_refusal(no_output "render needs --output"
    render ${CLOCK})
expect_refusal(sheet_scenario "cannot read the scenario file"
    sheet ${CLOCK}:${out}/no_such.scn --output ${out}/sheet_scenario.png)
expect_refusal(sheet_empty "sheet needs at least one"
    sheet --output ${out}/sheet_empty.png)

# An output that cannot be written (a directory of that name exists) leaves no partial file.
file(MAKE_DIRECTORY ${out}/unwritable.png)
expect_refusal(unwritable_output "cannot write"
    render ${CLOCK} --output ${out}/unwritable.png)
if(EXISTS ${out}/unwritable.png.partial)
    fail("unwritable_output: left a partial file")
endif()
