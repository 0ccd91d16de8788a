; The Windows installer of Zomir, made by scripts/windows.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DSTAGE=<programs' folder> -DICONS=<icons>
;            -DFILES=<uninstall list> -DOUTFILE=<setup.exe> zomir.nsi
; For the current user without administrator rights by default (in
; %LOCALAPPDATA%\Programs\Zomir); for every user of the PC with /ALLUSERS run by an
; administrator (in Program Files). The students' working folders (%LOCALAPPDATA%\Zomir)
; and their stored games are never touched, not even by the uninstaller.

; A 64-bit installer, as the programs are: it runs where they run (and under a 64-bit wine).
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Zomir"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zomir"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Zomir"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_MUI
!include MultiUser.nsh
!include MUI2.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "Zomir ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${ICONS}\zomir.ico"
!define MUI_UNICON "${ICONS}\zomir.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "A Zomir telepítése"
!define MUI_WELCOMEPAGE_TEXT "A Zomir pályaválasztási és családi költségvetési oktatójáték, a tanári karbantartó programmal.$\r$\n$\r$\nA telepítéshez nem kell rendszergazdai jog: a program a saját felhasználódnak települ. Egy gépterem minden felhasználójának a rendszergazda telepítheti így:$\r$\n    zomir-${VERSION}-setup.exe /ALLUSERS$\r$\n$\r$\nA tanulók munkamappái és mentett játékai a program eltávolítása után is megmaradnak."
!define MUI_FINISHPAGE_RUN "$INSTDIR\zomir.exe"
!define MUI_FINISHPAGE_RUN_TEXT "A Zomir indítása"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Hungarian"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "ProductName" "Zomir"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "CompanyName" "Zomir"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "LegalCopyright" "Zomir"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "FileDescription" "A Zomir telepítője"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "ProductVersion" "${VERSION}"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Zomir"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\eltavolitas.exe"

  ; The Start menu of this user, or of every user with /ALLUSERS (MultiUser sets the context).
  CreateShortcut "$SMPROGRAMS\Zomir.lnk" "$INSTDIR\zomir.exe" "" "$INSTDIR\zomir.exe" 0 \
    SW_SHOWNORMAL "" "Pályaválasztás és családi költségvetés"
  CreateShortcut "$SMPROGRAMS\Zomir karbantartó.lnk" "$INSTDIR\karbantartas.exe" "" \
    "$INSTDIR\karbantartas.exe" 0 SW_SHOWNORMAL "" "A játék adatbázisának karbantartása"

  ; The entry of Windows' list of installed programs.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Zomir"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Zomir"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zomir.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\eltavolitas.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\eltavolitas.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Only the files the installer put there: a portable marker's "adatok" folder or
  ; anything else a user saved beside the programs stays.
  !include "${FILES}"
  Delete "$INSTDIR\eltavolitas.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Zomir.lnk"
  Delete "$SMPROGRAMS\Zomir karbantartó.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
