# Draws the sample product's pictures with ImageMagick (run by cmake -P):
# one plasma a picture, its colours those of its folder and its pattern
# seeded by its name, small (a few KB), the same bytes every time.
#   -DCONVERT=/usr/bin/convert -DOUT=DIR
set(pictures
  "Bkgnds1 bkgnd1.jpg" "Bkgnds1 bkgnd2.jpg" "Bkgnds1 bkgnd3.jpg" "Bkgnds1 bkgnd4.jpg" "Bkgnds1 fog.jpg"
  "Bkgnds1 melting.jpg" "Bkgnds1 sandston.jpg" "Bkgnds1 turtle.gif"
  "Bkgnds2 clouds.jpg" "Bkgnds2 lumber.jpg" "Bkgnds2 patches.jpg" "Bkgnds2 patio.jpg" "Bkgnds2 pink.jpg"
  "Bkgnds2 rock.jpg" "Bkgnds2 beach.jpg"
  "WFalls Water1.jpg" "WFalls Water2.jpg" "WFalls Water3.jpg"
  "Sunsets Sunset1.jpg" "Sunsets Sunset2.jpg" "Sunsets Sunset3.jpg"
  "Nature ArchRock.jpg" "Nature Boulders.jpg" "Nature Garden.jpg" "Nature Gulls.jpg" "Nature Sheep.jpg")
set(colours_Bkgnds1 "khaki-sienna")
set(colours_Bkgnds2 "slategray-black")
set(colours_WFalls "lightcyan-steelblue")
set(colours_Sunsets "gold-darkred")
set(colours_Nature "yellowgreen-darkgreen")
file(MAKE_DIRECTORY ${OUT})
foreach(p IN LISTS pictures)
  separate_arguments(parts UNIX_COMMAND "${p}")
  list(GET parts 0 folder)
  list(GET parts 1 name)
  string(MD5 hash "${folder}/${name}")
  string(SUBSTRING ${hash} 0 6 seedhex)
  math(EXPR seed "0x${seedhex}")
  if(name MATCHES "\\.gif$")
    set(form -colors 16)
  else()
    set(form -quality 80)
  endif()
  execute_process(
    COMMAND ${CONVERT} -size 160x120 -seed ${seed} plasma:${colours_${folder}} -blur 0x1 ${form} -strip ${OUT}/${name}
    RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "ImageMagick could not draw ${name}: ${err}")
  endif()
endforeach()
