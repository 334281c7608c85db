# lumi_embed(OUT SYMBOL FILE...): writes a C++ source that defines
#   extern const unsigned char SYMBOL[]; extern const unsigned long SYMBOL_size;
# holding each file by name and length (see EmbedRun.cmake),
# regenerated whenever one of the files changes.
function(lumi_embed out symbol)
  set(files ${ARGN})
  string(REPLACE ";" "|" files_arg "${files}")
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DSYMBOL=${symbol} "-DFILES=${files_arg}"
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedRun.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/EmbedRun.cmake
    COMMENT "Embedding ${symbol}" VERBATIM)
endfunction()
