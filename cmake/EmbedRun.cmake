# Script half of lumi_embed: each file becomes its name, a NUL, its length
# as 4 bytes little-endian, its bytes and a NUL; an empty name ends the list.
string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
foreach(f IN LISTS FILES)
  get_filename_component(name ${f} NAME)
  file(READ ${f} hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR len "${hexlen} / 2")
  math(EXPR b0 "${len} & 255")
  math(EXPR b1 "(${len} >> 8) & 255")
  math(EXPR b2 "(${len} >> 16) & 255")
  math(EXPR b3 "(${len} >> 24) & 255")
  string(HEX "${name}" namehex)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," namebytes "${namehex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "${namebytes}0x00,${b0},${b1},${b2},${b3},\n${bytes}0x00,\n")
endforeach()
file(WRITE ${OUT} "// Generated from the resource sources; do not edit.\n"
  "extern const unsigned char ${SYMBOL}[];\nextern const unsigned long ${SYMBOL}_size;\n"
  "const unsigned char ${SYMBOL}[] = {\n${body}0x00};\n"
  "const unsigned long ${SYMBOL}_size = sizeof(${SYMBOL});\n")
