# What a release says of itself. The first entry of packaging/changelog is the
# release being built: its version must be the project's, and its date and
# signer give the release date (AppStream metadata, manual page) and the
# package's maintainer.
#
# Marklet has no public home yet: the addresses below are placeholders under
# the reserved domain example.org, to be replaced (with the changelog's and
# the copyright file's contact) once it has one.
set(MARKLET_HOMEPAGE "https://marklet.example.org/")
set(MARKLET_APPSTREAM_ID "org.example.marklet")

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog changelog_lines)
list(GET changelog_lines 0 changelog_head)
if(NOT changelog_head MATCHES "^marklet \\(([^)]+)\\)")
    message(FATAL_ERROR "packaging/changelog: the first line names no version")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog starts with version ${CMAKE_MATCH_1}, the project "
                        "is ${PROJECT_VERSION}: add an entry for the new version")
endif()
foreach(line IN LISTS changelog_lines)
    if(line MATCHES "^ -- (.+>)  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) ")
        set(changelog_signer ${CMAKE_MATCH_1})
        set(day ${CMAKE_MATCH_2})
        set(year ${CMAKE_MATCH_4})
        set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
        list(FIND months ${CMAKE_MATCH_3} month)
        math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
        if(month LESS 10)
            set(month 0${month})
        endif()
        set(MARKLET_RELEASE_DATE ${year}-${month}-${day})
        break()
    endif()
endforeach()
if(NOT MARKLET_RELEASE_DATE OR month STREQUAL "00")
    message(FATAL_ERROR "packaging/changelog: the first entry has no ' -- name <mail>  date' line")
endif()
set(MARKLET_MAINTAINER "${changelog_signer}" CACHE STRING
    "The package's maintainer, as \"Name <address>\"")
