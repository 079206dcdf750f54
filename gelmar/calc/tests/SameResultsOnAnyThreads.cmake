# Calculates one thermal-bridge model (a 40 x 40 x 40 cell wall with a
# column of a hundred times the conductivity through it, 20 C with h = 7.7
# on one face and 0 C with h = 25 on the other) with gelmar-calc on one
# thread, on two and on all the machine's (SUITE_THREADS 1, 2 and unset),
# and compares the solution files byte for byte.
# cmake -DEXE=<gelmar-calc> -P SameResultsOnAnyThreads.cmake, in a scratch folder.
set(n 40)
set(lines "titl=Thermal bridge" "calc=0" "save=1 1" "iter=2000" "mxdt=0.0001" "mxod=0.01" "mxnd=1")
math(EXPR cells "${n} + 2")
list(APPEND lines "nxwi=${cells}")
foreach(i RANGE 1 ${cells})
  list(APPEND lines "xwid=0.01")
endforeach()
foreach(axis y z)
  list(APPEND lines "n${axis}wi=${n}")
  foreach(i RANGE 1 ${n})
    list(APPEND lines "${axis}wid=0.01")
  endforeach()
endforeach()
list(APPEND lines
  "colr=1" "crgb=200 200 200" "type=0" "name=Insulation" "lamb=0.04"
  "colr=2" "crgb=120 120 120" "type=0" "name=Column" "lamb=4"
  "colr=3" "crgb=255 0 0" "type=1" "name=Inside" "temp=20" "hglo=7.7"
  "colr=4" "crgb=0 0 255" "type=1" "name=Outside" "temp=0" "hglo=25")
math(EXPR last "${n} + 1")
math(EXPR low "${n} / 2 - 3")
math(EXPR high "${n} / 2 + 3")
list(APPEND lines "nblk=4"
  "blok=0 3 0 1 0 ${n} 0 ${n}"
  "blok=1 1 1 ${last} 0 ${n} 0 ${n}"
  "blok=2 2 1 ${last} ${low} ${high} 0 ${n}"
  "blok=3 4 ${last} ${cells} 0 ${n} 0 ${n}")
list(JOIN lines "\r\n" text)
file(WRITE bridge.glm "${text}\r\n")

foreach(threads 1 2 all)
  file(REMOVE_RECURSE threads-${threads})
  file(MAKE_DIRECTORY threads-${threads})
  if(threads STREQUAL "all")
    unset(ENV{SUITE_THREADS})
  else()
    set(ENV{SUITE_THREADS} ${threads})
  endif()
  execute_process(COMMAND ${EXE} ../bridge.glm WORKING_DIRECTORY threads-${threads} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gelmar-calc on ${threads} threads failed: ${status}")
  endif()
endforeach()
foreach(threads 2 all)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files threads-1/tmp0000.sol threads-${threads}/tmp0000.sol
    RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "the solution on ${threads} threads differs from the one on one thread")
  endif()
endforeach()
