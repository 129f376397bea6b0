# The program's sources, one list a library, relative to the top folder. The
# program and the fuzz targets both build from these lists, so a file added to
# a layer reaches both.

# Pure, Qt Core only: numbers, paths, the named choices.
set(kidsum_core_sources
    core/app_paths.cpp
    core/numeric_text.cpp
)

# Pure rules of the subsystems: ranges, the draw rule, the range conflict,
# verdicts, picture paths, the help page's address, the website table.
set(kidsum_rules_sources
    quiz/draw_rule.cpp
    quiz/range_check_rule.cpp
    quiz/range_table.cpp
    feedback/answer_rules.cpp
    feedback/picture_paths.cpp
    menus/addresses.cpp
    menus/web_entries.cpp
)

# The controls by name, the image control and picture loading, the seams and
# their real implementations: what every handler works on.
set(kidsum_controls_sources
    controls/image_box.cpp
    controls/picture_file.cpp
    controls/real_services.cpp
    controls/window.cpp
)

# The handlers of the subsystems.
set(kidsum_handlers_sources
    quiz/question_generation.cpp
    quiz/range_check.cpp
    feedback/answer_check.cpp
    feedback/answer_reveal.cpp
    feedback/hint_pictures.cpp
    menus/web_links.cpp
)

# The window on top: every control at its place, the menus and the wiring,
# start-up and exit, Qt's own texts; everything of the program but main().
set(kidsum_app_sources
    app/backdrop.cpp
    app/caption.cpp
    app/faces.cpp
    app/form1.cpp
    app/layout.cpp
    app/qt_texts.cpp
    app/start_up.cpp
)
