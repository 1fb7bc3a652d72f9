# The Debian package of both programs: `make package`, or `cpack -G DEB` in a build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vibrix4)
set(CPACK_PACKAGE_VENDOR "Vibrix4")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vibrix4: анализ испытаний сплошности свай и построение трасс")
set(CPACK_PACKAGE_DESCRIPTION "Программы прибора Vibrix4 для низкодеформационного контроля сплошности свай:
vibrix - проекты измерений, сигналы, спектры, ЧВ-анализ, экспорт и отчёты;
tracebuilder - сейсмо- и спектротрассы по папке измерений.
Программы и справка устанавливаются в ${VX_PROGRAM_DIR}.")
set(CPACK_PACKAGE_CONTACT "Vibrix4 <vibrix4@localhost>" CACHE STRING "Maintainer field of the package")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from the programs themselves (dpkg-shlibdeps); what is loaded at run time
# without being linked is named here: Qt's platform plugins, the fonts of the windows and the
# reports (Liberation Serif stands for Times New Roman).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-liberation2")
# Russian standard buttons, and something that opens the help PDFs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, evince | okular | pdf-viewer")
# No maintainer scripts: the menu, MIME and icon caches are refreshed by the dpkg triggers of
# desktop-file-utils, shared-mime-info and hicolor-icon-theme.

include(CPack)
