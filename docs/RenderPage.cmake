# SPDX-License-Identifier: GPL-3.0-or-later
# Renders one manual page: cmark turns the Markdown into HTML, links between
# pages are pointed at the HTML files, and a shared header and footer frame it.
# Called with -DCMARK=<cmark> -DINPUT=<page.md> -DOUTPUT=<page.html>.
execute_process(
    COMMAND ${CMARK} ${INPUT}
    OUTPUT_VARIABLE body
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmark failed on ${INPUT}")
endif()

# Links to other pages (href="vehicles.md" or "vehicles.md#colours") lead to
# their HTML; links that leave the manual end in something else and stay.
string(REGEX REPLACE "href=\"([A-Za-z0-9_-]+)\\.md([\"#])" "href=\"\\1.html\\2" body "${body}")

# The page's title is its first heading.
file(STRINGS ${INPUT} headings REGEX "^# ")
list(GET headings 0 title)
string(REGEX REPLACE "^# +" "" title "${title}")

get_filename_component(name ${INPUT} NAME_WE)
if(name STREQUAL "index")
    set(back "")
else()
    set(back "<p class=\"back\"><a href=\"index.html\">Volantor manual: contents</a></p>\n")
    string(APPEND title " - Volantor manual")
endif()

file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>${title}</title>
<style>
body { font-family: sans-serif; max-width: 48em; margin: 2em auto; padding: 0 1em; line-height: 1.5; color: #222; }
code, pre { font-family: monospace; background: #f2f2f2; }
pre { padding: 0.5em; overflow-x: auto; }
img { max-width: 100%; border: 1px solid #ccc; }
.back, footer { font-size: 0.9em; }
footer { margin-top: 3em; border-top: 1px solid #ccc; padding-top: 0.5em; }
</style>
</head>
<body>
${back}${body}<footer><a href=\"index.html\">Volantor manual</a></footer>
</body>
</html>
")
