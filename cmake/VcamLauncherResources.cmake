# vcam_stage_launcher_resources(<target>): puts the launcher's resource folder
# beside the program, laid out as installed: "resource\style_pro.zeloz",
# "resource\frame_pro.zeloz" and "resource\splash\default". The files come
# from the host build's artwork (the `art` target); what is not built yet is
# left out with a note, and the program sees it missing.
set(VCAM_LAUNCHER_ART_DIR "${PROJECT_SOURCE_DIR}/build/host/art" CACHE PATH "The host build's artwork folder")

function(vcam_stage_launcher_resources target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DART=${VCAM_LAUNCHER_ART_DIR} -DDEST=$<TARGET_FILE_DIR:${target}>/resource
            -P ${PROJECT_SOURCE_DIR}/cmake/stage_launcher_resources.cmake
    VERBATIM)
endfunction()
