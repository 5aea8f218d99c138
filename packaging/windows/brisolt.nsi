; Brisolt's installer for Windows (makensis, from Debian's nsis package).
;
;   makensis -DVERSION=0.1.0 -DPROGRAMAS=carpeta -DSALIDA=brisolt-0.1.0-instalar.exe brisolt.nsi
;
; PROGRAMAS is the folder that holds brisolt.exe, brisolt-cli.exe and
; LEEME.txt. The installer is made with whatever of brisolt.exe is there: a
; build without the window installs brisolt-cli.exe alone (and says so while
; it is made). OBJETIVO picks the installer's own kind of program: x86-unicode
; (the default, for the 32-bit programs we ship) or amd64-unicode.
;
; The programs go into the timetable generator's folder, the one that holds
; Zentaro.ini: the generator starts brisolt.exe from there and reads the
; result in that Zentaro.ini. The uninstaller removes what was installed and
; nothing else: Zentaro.ini and the school's data stay.

Unicode true

!ifndef VERSION
  !define VERSION "0.0.0"
!endif
!ifndef PROGRAMAS
  !define PROGRAMAS "."
!endif
!ifndef SALIDA
  !define SALIDA "brisolt-${VERSION}-instalar.exe"
!endif
!ifndef OBJETIVO
  !define OBJETIVO "x86-unicode"
!endif
Target "${OBJETIVO}"
SetCompressor /SOLID lzma

!define DESINSTALADOR "desinstalar-brisolt.exe"
!define CLAVE_DESINSTALAR "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brisolt"

!if /FileExists "${PROGRAMAS}\brisolt.exe"
  !define CON_VENTANA
!else
  !warning "brisolt.exe no está en ${PROGRAMAS}: el instalador lleva solo brisolt-cli.exe"
!endif

Name "Brisolt ${VERSION}"
OutFile "${SALIDA}"
InstallDir "C:\ZENTARO"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1034 "ProductName" "Brisolt"
VIAddVersionKey /LANG=1034 "FileDescription" "Instalador de Brisolt"
VIAddVersionKey /LANG=1034 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1034 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1034 "LegalCopyright" "Equipo de Brisolt"

!include "MUI2.nsh"

!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "Brisolt tiene que instalarse en la carpeta del generador de horarios, la que contiene Zentaro.ini: el generador inicia Brisolt desde esa carpeta y lee en su Zentaro.ini si la transferencia terminó. Elija esa carpeta."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Carpeta del generador de horarios (con Zentaro.ini)"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE ComprobarCarpeta
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Brisolt está instalado en $INSTDIR. El generador de horarios lo inicia desde allí; también puede abrir su ventana desde el menú Inicio, Brisolt."
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Spanish"

; A folder without Zentaro.ini is most likely not the generator's.
Function ComprobarCarpeta
  IfFileExists "$INSTDIR\Zentaro.ini" fin
  MessageBox MB_YESNO|MB_ICONEXCLAMATION "La carpeta $INSTDIR no contiene Zentaro.ini, así que no parece la del generador de horarios. El generador solo encuentra Brisolt en su propia carpeta.$\r$\n$\r$\n¿Instalar aquí de todos modos?" /SD IDYES IDYES fin
  Abort
fin:
FunctionEnd

Section "Brisolt"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
!ifdef CON_VENTANA
  File "${PROGRAMAS}\brisolt.exe"
!endif
  File "${PROGRAMAS}\brisolt-cli.exe"
  File "/oname=Brisolt-LEEME.txt" "${PROGRAMAS}\LEEME.txt"
  WriteUninstaller "$INSTDIR\${DESINSTALADOR}"

!ifdef CON_VENTANA
  ; The window stand-alone, without parameters.
  CreateDirectory "$SMPROGRAMS\Brisolt"
  CreateShortcut "$SMPROGRAMS\Brisolt\Brisolt.lnk" "$INSTDIR\brisolt.exe" "" "$INSTDIR\brisolt.exe" 0 SW_SHOWNORMAL "" "Exportar e importar datos"
!endif

  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "DisplayName" "Brisolt"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "Publisher" "Equipo de Brisolt"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "UninstallString" '"$INSTDIR\${DESINSTALADOR}"'
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\${DESINSTALADOR}" /S'
  WriteRegDWORD HKLM "${CLAVE_DESINSTALAR}" "NoModify" 1
  WriteRegDWORD HKLM "${CLAVE_DESINSTALAR}" "NoRepair" 1
SectionEnd

; Only what the installer put there: Zentaro.ini, the school's data and the
; generator's own files stay, and so does the folder.
Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\brisolt.exe"
  Delete "$INSTDIR\brisolt-cli.exe"
  Delete "$INSTDIR\Brisolt-LEEME.txt"
  Delete "$INSTDIR\${DESINSTALADOR}"
  Delete "$SMPROGRAMS\Brisolt\Brisolt.lnk"
  RMDir "$SMPROGRAMS\Brisolt"
  DeleteRegKey HKLM "${CLAVE_DESINSTALAR}"
SectionEnd
