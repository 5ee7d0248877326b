# A subsystem's logic lives in its core library, its windows in <name>_windows.
# Core libraries are registered with ztd_core_library(); once every directory
# is read, ztd_check_core_libraries() refuses the configuration if one of them
# reaches Qt6::Widgets through its link libraries, directly or through any
# library it links.
#
# Qt6::PrintSupport carries Qt6::Widgets in its own link interface (for its
# print dialogs). A core library that prints needs QPrinter, so the walk does
# not follow PrintSupport: what such a library may not do is link Widgets
# itself or through one of our libraries.

function(ztd_core_library target)
    set_property(GLOBAL APPEND PROPERTY ZTD_CORE_LIBRARIES ${target})
endfunction()

# The libraries a target links, with aliases resolved and LINK_ONLY unwrapped;
# other generator expressions are left out.
function(_ztd_linked_targets target out_var)
    get_target_property(imported ${target} IMPORTED)
    set(links "")
    if(NOT imported)
        get_target_property(own ${target} LINK_LIBRARIES)
        if(own)
            list(APPEND links ${own})
        endif()
    endif()
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    if(interface)
        list(APPEND links ${interface})
    endif()
    set(result "")
    foreach(link IN LISTS links)
        if(link MATCHES "^\\$<LINK_ONLY:(.+)>$")
            set(link "${CMAKE_MATCH_1}")
        elseif(link MATCHES "^\\$<")
            continue()
        endif()
        if(NOT TARGET "${link}")
            continue()
        endif()
        get_target_property(aliased "${link}" ALIASED_TARGET)
        if(aliased)
            set(link "${aliased}")
        endif()
        list(APPEND result "${link}")
    endforeach()
    list(REMOVE_DUPLICATES result)
    set(${out_var} "${result}" PARENT_SCOPE)
endfunction()

# Walks the link libraries breadth first and names the first chain that ends
# at Qt6::Widgets ("tables -> tables_windows -> Qt6::Widgets"); empty if none.
function(_ztd_path_to_widgets core out_var)
    set(reached ${core})
    set(chains ${core})
    set(next 0)
    list(LENGTH reached count)
    while(next LESS count)
        list(GET reached ${next} current)
        list(GET chains ${next} chain)
        math(EXPR next "${next} + 1")
        if(current STREQUAL "Qt6::Widgets")
            string(REPLACE "|" " -> " chain "${chain}")
            set(${out_var} "${chain}" PARENT_SCOPE)
            return()
        endif()
        if(current STREQUAL "Qt6::PrintSupport")
            continue()
        endif()
        _ztd_linked_targets(${current} links)
        foreach(link IN LISTS links)
            if(NOT link IN_LIST reached)
                list(APPEND reached "${link}")
                list(APPEND chains "${chain}|${link}")
            endif()
        endforeach()
        list(LENGTH reached count)
    endwhile()
    set(${out_var} "" PARENT_SCOPE)
endfunction()

function(ztd_check_core_libraries)
    get_property(cores GLOBAL PROPERTY ZTD_CORE_LIBRARIES)
    foreach(core IN LISTS cores)
        if(NOT TARGET ${core})
            message(FATAL_ERROR "'${core}' is registered as a core library but is no target.")
        endif()
        _ztd_path_to_widgets(${core} chain)
        if(chain)
            message(FATAL_ERROR "The core library '${core}' links Qt6::Widgets:\n"
                "  ${chain}\n"
                "Core libraries hold no windows: move the window code into the "
                "subsystem's _windows library.")
        endif()
    endforeach()
endfunction()
