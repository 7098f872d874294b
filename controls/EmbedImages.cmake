# Writes a C++ source holding the committed PNG files as byte arrays, one
# EmbeddedImage (name, data, size) per picture. Run at build time:
#   cmake -DIMAGE_DIR=<dir> -DOUTPUT=<file.cpp> -DNAMES=<a,b,...> -P EmbedImages.cmake
# A missing file becomes an empty entry, which the controls treat like an
# undecodable picture (they draw nothing), so a half-finished tree still builds.

string(REPLACE "," ";" NAMES "${NAMES}")

set(_out "// Generated from controls/images/*.png by controls/EmbedImages.cmake. Do not edit.\n")
string(APPEND _out "#include \"controls/EmbeddedImages.h\"\n\nnamespace\n{\n")

set(_defs "")
set(_list "")
foreach(name IN LISTS NAMES)
  set(_file ${IMAGE_DIR}/${name}.png)
  if(EXISTS ${_file})
    file(READ ${_file} _hex HEX)
    string(LENGTH "${_hex}" _len)
    math(EXPR _bytes "${_len} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _arr "${_hex}")
    # Break the one long line into rows of 32 bytes.
    string(REGEX REPLACE "((0x..,){32})" "\\1\n    " _arr "${_arr}")
    string(APPEND _out "    alignas (16) const unsigned char ${name}Data[] =\n    {\n    ${_arr}\n    };\n\n")
    string(APPEND _defs "    const EmbeddedImage ${name} { \"${name}\", ${name}Data, ${_bytes} };\n")
  else()
    message(WARNING "Embedded image missing: ${_file}")
    string(APPEND _defs "    const EmbeddedImage ${name} { \"${name}\", nullptr, 0 };\n")
  endif()
  string(APPEND _list "        &${name},\n")
endforeach()

string(APPEND _out "}\n\nnamespace EmbeddedImages\n{\n${_defs}\n")
string(APPEND _out "    const EmbeddedImage* const all[count] =\n    {\n${_list}    };\n}\n")

# Only touch the output when it changes, so an unchanged picture set does
# not recompile anything.
set(_tmp ${OUTPUT}.tmp)
file(WRITE ${_tmp} "${_out}")
file(COPY_FILE ${_tmp} ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${_tmp})
