# A full arcade set for the window contract: 70,000 empty ROM files
# r000000.nes ... r069999.nes, made once per build tree (making them in a
# test would cost more than the test).
#   cmake -DDIR=<folder> -P arcade_set.cmake
set(files "")
foreach(i RANGE 0 69999)
  math(EXPR number "1000000 + ${i}")
  string(SUBSTRING ${number} 1 6 digits)
  string(APPEND files "${DIR}/r${digits}.nes;")
endforeach()
file(MAKE_DIRECTORY ${DIR})
file(TOUCH ${files})
