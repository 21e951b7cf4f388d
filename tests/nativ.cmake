# Tests that run natively only: under qemu user emulation (the arm64 run, scripts/arm64.sh)
# they cannot pass for reasons of the emulation, not of the program. They get the label
# "nativ", and the emulated run leaves them out with `ctest -LE nativ`. Each stands here by name.
#
# - posix_spawn becomes a plain fork under qemu: a program that cannot be executed is
#   reported as started, so "a tool that cannot be started is reported" cannot be seen.
# - The emulated run needs a user namespace of its own (for binfmt_misc), in which only
#   root is mapped: a link cannot be given to a second owner there.
function(kw_nur_nativ verzeichnis)
  string(MAKE_C_IDENTIFIER "${verzeichnis}" name)
  set(datei "${CMAKE_BINARY_DIR}/nativ_${name}.cmake")
  set(inhalt "")
  foreach(test IN LISTS ARGN)
    string(APPEND inhalt "set_tests_properties([==[${test}]==] PROPERTIES LABELS nativ)\n")
  endforeach()
  file(WRITE "${datei}" "${inhalt}")
  # After the file that gtest_discover_tests added, so the tests exist when it runs.
  set_property(DIRECTORY "${CMAKE_SOURCE_DIR}/${verzeichnis}" APPEND PROPERTY TEST_INCLUDE_FILES "${datei}")
endfunction()

# A program that cannot be started
kw_nur_nativ(tests/hardware
  ZyklusTest.WerkzeugDasNichtStartetWirdBeimOKGemeldet
  Prozessstarter.StartFehlerUndEinLaufZurZeit
  # a second owner
  Konfiguration.FremderLinkImStickyOrdnerWirdWederGelesenNochBeschrieben
)
kw_nur_nativ(tests/guard
  WaechterTest.OhneWaechterWirdDirektGeschaltetUndDasKlarGesagt
)
# A second owner
kw_nur_nativ(tests/fileio
  FremderLink.ImStickyOrdnerWirdErNichtGefolgt
  FremderLink.JedesGliedEinerKetteZaehlt
  FremderLink.EigenerUndDesOrdnerbesitzersWerdenGefolgt
)
kw_nur_nativ(tests/program
  Rezeptordner.FremderLinkImStickyOrdnerWirdWederGeladenNochBeschrieben
  Zusatzdatei.FremderLinkImStickyOrdnerWirdWederGelesenNochBeschrieben
)
kw_nur_nativ(tests/aids
  HistorieDatei.FremderLinkImStickyOrdnerWirdNichtBeschrieben
)
kw_nur_nativ(tests/screens
  KonfigTest.FremderLinkImOffenenOrdnerWirdGenanntUndNichtBeschrieben
)
