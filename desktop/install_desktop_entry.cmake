# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# Run at install time: writes the menu entry of `app_id` with the launcher,
# shipped-file and program paths under the prefix being installed to, and
# installs it into share/applications.
function(tilebash_install_path variable relative)
    if(IS_ABSOLUTE "${relative}")
        set(${variable} "${relative}" PARENT_SCOPE)
    else()
        set(${variable} "${CMAKE_INSTALL_PREFIX}/${relative}" PARENT_SCOPE)
    endif()
endfunction()

tilebash_install_path(TILEBASH_BINDIR "${bindir}")
tilebash_install_path(TILEBASH_SHIPPED "${datadir}/tilebash")
tilebash_install_path(TILEBASH_LAUNCHER "${libexecdir}/tilebash/launch")
tilebash_install_path(applications_dir "${datadir}/applications")

# The Exec key splits its value at spaces, and quoting would have to escape
# shell characters as well; no prefix needs either in practice.
foreach(path IN ITEMS "${TILEBASH_BINDIR}" "${TILEBASH_SHIPPED}" "${TILEBASH_LAUNCHER}")
    if(NOT path MATCHES "^[A-Za-z0-9_./+-]+$")
        message(FATAL_ERROR "Cannot write a menu entry for the install path \"${path}\": "
                            "use a prefix of letters, digits and _ . / + - only")
    endif()
endforeach()

configure_file("${source_dir}/${app_id}.desktop.in" "${output_dir}/${app_id}.desktop" @ONLY)
file(INSTALL "${output_dir}/${app_id}.desktop" DESTINATION "${applications_dir}")
