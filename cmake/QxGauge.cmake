# qx_add_gauge(<name> SOURCES <files...> RESOURCES <script.rc>)
#
# Builds the gauge module <name> from its sources and the frame: <name>.dll on Windows, <name>.so
# on Linux (no "lib" prefix: the file name is the gauge name). Both export only `Linkage` and
# `ImportTable`. The resource script is compiled by windres on Windows; on Linux it is run through
# the C preprocessor as windres does, packed by respack and embedded in the module's
# .qx_resources section, from which the stand-in host reads the bitmaps.
set(QX_FRAME_DIR ${CMAKE_CURRENT_LIST_DIR}/../frame)

function(qx_add_gauge name)
    cmake_parse_arguments(G "" "RESOURCES" "SOURCES" ${ARGN})
    get_filename_component(rc ${G_RESOURCES} ABSOLUTE)
    get_filename_component(rc_dir ${rc} DIRECTORY)
    file(GLOB bitmaps CONFIGURE_DEPENDS ${rc_dir}/bitmaps/*.bmp)

    add_library(${name} MODULE ${G_SOURCES})
    set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
    target_link_libraries(${name} PRIVATE qx_frame)
    target_include_directories(${name} PRIVATE ${rc_dir})
    set_property(GLOBAL APPEND PROPERTY QX_GAUGES ${name})
    set_property(GLOBAL PROPERTY QX_GAUGE_DIR_${name} ${rc_dir})

    if(WIN32)
        target_sources(${name} PRIVATE ${rc} ${QX_FRAME_DIR}/exports.def)
        set_source_files_properties(${rc} PROPERTIES
            COMPILE_DEFINITIONS GAUGE_NAME=${name}
            INCLUDE_DIRECTORIES "${QX_FRAME_DIR};${rc_dir}"
            OBJECT_DEPENDS "${bitmaps}")
        target_link_options(${name} PRIVATE
            -static -static-libgcc -static-libstdc++ -s -Wl,--exclude-all-symbols)
    else()
        set(pack ${CMAKE_CURRENT_BINARY_DIR}/${name}.respack)
        set(preprocessed ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc.i)
        add_custom_command(
            OUTPUT ${pack}
            COMMAND ${CMAKE_C_COMPILER} -E -P -x c -DRC_INVOKED -DGAUGE_NAME=${name}
                    -I${QX_FRAME_DIR} -I${rc_dir} -MD -MF ${preprocessed}.d -MT ${pack}
                    ${rc} -o ${preprocessed}
            COMMAND respack --base-dir ${rc_dir} --output ${pack} ${preprocessed}
            DEPENDS ${rc} ${bitmaps} respack
            DEPFILE ${preprocessed}.d
            COMMENT "Packing the resources of ${name}"
            VERBATIM)
        set(section_source ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources.S)
        configure_file(${QX_FRAME_DIR}/resource_section.S.in ${section_source} @ONLY)
        set_source_files_properties(${section_source} PROPERTIES OBJECT_DEPENDS ${pack})
        target_sources(${name} PRIVATE ${section_source})
        target_link_options(${name} PRIVATE
            -Wl,--version-script=${QX_FRAME_DIR}/exports.map -Wl,--no-undefined)
    endif()
endfunction()
