# The program's own faces (Linux): the installed Noto Sans and Serif CJK SC
# cut down to the characters the program shows, laid in fonts/ beside it
# (see app/faces.h). The characters are those of the program's sources and of
# the Qt texts it shows (app/qt_texts_shown.txt), so a text added to the
# sources is in the faces at the next build. Without fontTools or the Noto
# faces the program still runs, on the whole installed faces.
set(KIDSUM_OWN_FACES_DIR "")
# Debian's python3 carries fontTools (python3-fonttools); another python3
# earlier on the PATH may not.
find_program(KIDSUM_FACES_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_file(KIDSUM_SANS_SOURCE NotoSansCJK-Regular.ttc
    PATHS /usr/share/fonts/opentype/noto NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
    DOC "The font the program's own sans face is cut from (Debian: fonts-noto-cjk)")
find_file(KIDSUM_SERIF_SOURCE NotoSerifCJK-Regular.ttc
    PATHS /usr/share/fonts/opentype/noto NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
    DOC "The font the program's own serif face is cut from (Debian: fonts-noto-cjk)")
set(kidsum_have_fonttools FALSE)
if(KIDSUM_FACES_PYTHON)
    execute_process(COMMAND "${KIDSUM_FACES_PYTHON}" -c "import fontTools.subset"
        RESULT_VARIABLE kidsum_fonttools_missing OUTPUT_QUIET ERROR_QUIET)
    if(kidsum_fonttools_missing EQUAL 0)
        set(kidsum_have_fonttools TRUE)
    endif()
endif()

if(NOT kidsum_have_fonttools OR NOT KIDSUM_SANS_SOURCE OR NOT KIDSUM_SERIF_SOURCE)
    message(WARNING "No own faces (needs python3-fonttools and fonts-noto-cjk): the program "
        "draws with the whole installed faces, the same pixels with more memory and a slower start")
    return()
endif()

set(KIDSUM_OWN_FACES_DIR "${PROJECT_BINARY_DIR}/fonts")
file(GLOB kidsum_face_texts CONFIGURE_DEPENDS
    LIST_DIRECTORIES false
    app/*.cpp app/*.h app/*.txt controls/*.cpp controls/*.h core/*.cpp core/*.h core/*.in
    quiz/*.cpp quiz/*.h feedback/*.cpp feedback/*.h menus/*.cpp menus/*.h)
# The caption's title is set in CMake and reaches the sources through here.
list(APPEND kidsum_face_texts "${PROJECT_BINARY_DIR}/generated/app_identity.h")
set(kidsum_faces)
foreach(face "sans;${KIDSUM_SANS_SOURCE};Noto Sans CJK SC;Kidsum Sans CJK SC"
             "serif;${KIDSUM_SERIF_SOURCE};Noto Serif CJK SC;Kidsum Serif CJK SC")
    list(GET face 0 kind)
    list(GET face 1 source)
    list(GET face 2 family_in)
    list(GET face 3 family_out)
    set(output "${KIDSUM_OWN_FACES_DIR}/kidsum-${kind}.otf")
    add_custom_command(OUTPUT "${output}"
        COMMAND "${KIDSUM_FACES_PYTHON}" "${PROJECT_SOURCE_DIR}/tools/subset_faces.py"
                --source "${source}" --family-in "${family_in}" --family-out "${family_out}"
                --output "${output}" --texts ${kidsum_face_texts}
        DEPENDS "${PROJECT_SOURCE_DIR}/tools/subset_faces.py" "${source}" ${kidsum_face_texts}
        COMMENT "Cutting ${family_in} down to the program's characters"
        VERBATIM)
    list(APPEND kidsum_faces "${output}")
endforeach()
set(kidsum_faces_licence "${KIDSUM_OWN_FACES_DIR}/LICENSE-OFL-1.1.txt")
add_custom_command(OUTPUT "${kidsum_faces_licence}"
    COMMAND ${CMAKE_COMMAND} -E copy "${KIDSUM_ASSET_DIR}/fonts/LICENSE-OFL-1.1.txt"
            "${kidsum_faces_licence}"
    DEPENDS "${KIDSUM_ASSET_DIR}/fonts/LICENSE-OFL-1.1.txt"
    VERBATIM)
add_custom_target(kidsum_own_faces ALL DEPENDS ${kidsum_faces} "${kidsum_faces_licence}")
add_dependencies(kidsum_beside_files kidsum_own_faces)
