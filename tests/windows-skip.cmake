# The cases left out of the Windows test run, per test program, because they need Linux itself;
# the README lists them with the same reasons.

# A FIFO (mkfifo): Windows has none; the platform layer's own test refuses CON, NUL, COM1 and
# \\.\ paths there instead.
set(VX_WINDOWS_SKIP_measurement_tests SsmIo.PipesFoldersAndMissingFilesAreRefusedWithoutWaiting)
# A C library locale built with localedef.
set(VX_WINDOWS_SKIP_test_common NumberFormatTest.PatternsIgnoreTheCLibraryLocale)
