# Checks the include lines of one layer's sources against what the layer links (run by the
# build, see check_layers in the top-level CMakeLists.txt). CONFIG names the layer's settings:
#   LAYER, FOLDER       the target and its folder (relative to ROOT)
#   LINKED              the folders of the layers it links, directly or through others
#   MODULES             the Qt modules it links (QtCore, QtWidgets, ...)
#   SOURCES             its sources and headers
#   ROOT                the source tree
#   QT_INCLUDE_ROOT     the folder that holds Qt's module folders, and QT_MODULES those folders
# STAMP is touched when every line is allowed.
cmake_minimum_required(VERSION 3.25)
include(${CONFIG})

set(faults "")
foreach(source IN LISTS SOURCES)
    file(RELATIVE_PATH shown ${ROOT} ${source})
    get_filename_component(here ${source} DIRECTORY)
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
            # A project header: beside the source, or named from the root of the tree.
            set(header ${CMAKE_MATCH_1})
            if(EXISTS ${here}/${header})
                get_filename_component(path ${here}/${header} ABSOLUTE)
            elseif(EXISTS ${ROOT}/${header})
                get_filename_component(path ${ROOT}/${header} ABSOLUTE)
            else()
                continue() # made by the build (moc)
            endif()
            get_filename_component(dir ${path} DIRECTORY)
            file(RELATIVE_PATH folder ${ROOT} ${dir})
            if(NOT folder STREQUAL FOLDER AND NOT folder IN_LIST LINKED)
                list(APPEND faults "${shown}: #include \"${header}\": ${LAYER} does not link "
                                   "the library of ${folder}/")
            endif()
        elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
            # A Qt header, by its module folder (<QtWidgets/QWidget>) or its class (<QWidget>).
            set(header ${CMAKE_MATCH_1})
            set(module "")
            if(header MATCHES "^(Qt[A-Za-z0-9]+)/" AND CMAKE_MATCH_1 IN_LIST QT_MODULES)
                set(module ${CMAKE_MATCH_1})
            elseif(header MATCHES "^Q[A-Za-z0-9_]*$")
                foreach(candidate IN LISTS QT_MODULES)
                    if(EXISTS ${QT_INCLUDE_ROOT}/${candidate}/${header}
                       AND NOT IS_DIRECTORY ${QT_INCLUDE_ROOT}/${candidate}/${header})
                        set(module ${candidate})
                        break()
                    endif()
                endforeach()
            endif()
            if(module AND NOT module IN_LIST MODULES)
                list(APPEND faults "${shown}: #include <${header}>: ${LAYER} does not link ${module}")
            endif()
        endif()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    set(allowed ${FOLDER})
    list(APPEND allowed ${LINKED})
    list(TRANSFORM allowed APPEND "/")
    foreach(module IN LISTS MODULES)
        if(module IN_LIST QT_MODULES)
            list(APPEND allowed ${module})
        endif()
    endforeach()
    list(JOIN allowed ", " allowed)
    message(FATAL_ERROR "${LAYER} includes headers of libraries it does not link:\n"
                        "  ${text}\n"
                        "A layer includes only headers of its own folder and of what it links, "
                        "directly or through the libraries it links; for ${LAYER} that is "
                        "${allowed}.")
endif()
file(TOUCH ${STAMP})
