# Script half of lumi_embed: each file becomes "name\0content\0".
string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
set(total 0)
foreach(f IN LISTS FILES)
  get_filename_component(name ${f} NAME)
  file(READ ${f} hex HEX)
  string(HEX "${name}" namehex)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," namebytes "${namehex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "${namebytes}0x00,\n${bytes}0x00,\n")
endforeach()
file(WRITE ${OUT} "// Generated from the resource sources; do not edit.\n"
  "extern const char ${SYMBOL}[];\nextern const unsigned long ${SYMBOL}_size;\n"
  "const char ${SYMBOL}[] = {\n${body}0x00};\n"
  "const unsigned long ${SYMBOL}_size = sizeof(${SYMBOL}) - 1;\n")
