; The installer of Formalys for Windows, in French: both builds of formalys.dll (x86 in the
; program directory, x64 in its x64\), each registered as the automation server Formalys.SHPDF for
; its bitness, formalys.exe, LISEZMOI.txt, LICENCE.txt and the uninstaller; the templates and
; grids in the practice's directory (by default the program directory).
; Per machine (Program Files, every user) when run with administrator rights, per user
; (%LOCALAPPDATA%\Programs\Formalys) otherwise or with /CurrentUser. /S is silent, /D= the program
; directory, /Cabinet= the practice's directory. An upgrade finds both where the last one put them.
; Built by `cmake --build --preset windows-x64 --target installer` with these definitions:
;   VERSION OUTFILE X86 X64 HELPER_X86 HELPER_X64 PRACTICE_FILES LISEZMOI LICENCE ICON
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel highest

!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include MUI2.nsh
; ForEachPracticeFile MACRO: MACRO NAME SOURCE for each template and grid, and PRACTICE_NAMES.
!include "${PRACTICE_FILES}"

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Formalys"
!define UNINSTALLER "Desinstaller-Formalys.exe"
; The checksums of the templates and grids as this installation left them, in the practice's
; directory: an upgrade replaces, and an uninstall removes, only those still the same.
!define CHECKSUM_LIST "Formalys-sommes.ini"

Name "Formalys ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Tournesolo SARL"

Var PerMachine
Var Registration ; regsvr32's options: "/s" for every user, "/s /n /i:user" for the current one
Var AppDir       ; the practice's directory: templates, grids, exchange file, paused work
Var AppDirChosen ; 1 once given with /Cabinet= or chosen on its page
Var Ours         ; the templates and grids this run installed, quoted, for their checksums

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_PAGE_HEADER_TEXT "Dossier du programme"
!define MUI_PAGE_HEADER_SUBTEXT "Où installer Formalys."
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_HEADER_TEXT "Dossier du cabinet"
!define MUI_PAGE_HEADER_SUBTEXT "Où placer les modèles et les grilles des formulaires."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Formalys lit les modèles des formulaires, leurs grilles, le \
    fichier d'échange et les travaux en pause dans le dossier du cabinet. Par défaut, c'est le \
    dossier du programme ; vous pouvez choisir le dossier partagé du cabinet, que le logiciel du \
    cabinet indique alors à Formalys. Un modèle ou une grille que le cabinet a modifié est gardé."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Dossier du cabinet"
!define MUI_DIRECTORYPAGE_VARIABLE $AppDir
!define MUI_PAGE_CUSTOMFUNCTION_PRE AppDirPage
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE AppDirChosen
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

; Per machine with administrator rights, unless /CurrentUser is asked for.
!macro ChooseScope
    StrCpy $PerMachine 0
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/CurrentUser" $R1
    ${If} ${Errors}
        UserInfo::GetAccountType
        Pop $R2
        ${If} $R2 == "Admin"
            StrCpy $PerMachine 1
        ${EndIf}
    ${EndIf}
    ${If} $PerMachine == 1
        SetShellVarContext all
        StrCpy $Registration "/s"
    ${Else}
        SetShellVarContext current
        StrCpy $Registration "/s /n /i:user"
    ${EndIf}
!macroend

; Registers (or, with "/u", unregisters) both builds, each with the regsvr32 of its bitness.
!macro Register UNREGISTER
    ExecWait '"$SYSDIR\regsvr32.exe" ${UNREGISTER} $Registration "$INSTDIR\formalys.dll"' $0
    ${If} $0 != 0
    ${AndIf} "${UNREGISTER}" == ""
        MessageBox MB_ICONSTOP "Formalys (32 bits) n'a pas pu être enregistré (code $0)." /SD IDOK
        Abort
    ${EndIf}
    ${If} ${RunningX64}
        ${DisableX64FSRedirection}
        ExecWait '"$SYSDIR\regsvr32.exe" ${UNREGISTER} $Registration "$INSTDIR\x64\formalys.dll"' $0
        ${EnableX64FSRedirection}
        ${If} $0 != 0
        ${AndIf} "${UNREGISTER}" == ""
            MessageBox MB_ICONSTOP "Formalys (64 bits) n'a pas pu être enregistré (code $0)." /SD IDOK
            Abort
        ${EndIf}
    ${EndIf}
!macroend

; formalys-installation.exe into the plug-ins directory, and its 64-bit build on a 64-bit system:
; each sees the modules of the programs of its own bitness.
!macro ExtractHelper
    InitPluginsDir
    File "/oname=$PLUGINSDIR\formalys-installation.exe" "${HELPER_X86}"
    ${If} ${RunningX64}
        File "/oname=$PLUGINSDIR\formalys-installation-64.exe" "${HELPER_X64}"
    ${EndIf}
!macroend

; The programs holding either DLL: $0 is 1 when there are some, $1 their names.
!macro FindHosts HELPER
    nsExec::ExecToStack '"$PLUGINSDIR\${HELPER}" holders "$INSTDIR\formalys.dll" \
        "$INSTDIR\x64\formalys.dll"'
    Pop $0
    Pop $1
!macroend

; The checksums of the named templates and grids as they are now in $AppDir, into LIST.
!macro Checksums LIST NAMES
    Delete "${LIST}"
    ExecWait '"$PLUGINSDIR\formalys-installation.exe" checksums "${LIST}" "$AppDir" ${NAMES}' $0
!macroend

; Installs a template or a grid unless the practice has made it its own: it is replaced only when
; it is missing or still what the last installation put there.
!macro InstallPracticeFile NAME SOURCE
    ReadINIStr $1 "$AppDir\${CHECKSUM_LIST}" sha256 "${NAME}"
    ReadINIStr $2 "$PLUGINSDIR\present.ini" sha256 "${NAME}"
    StrCpy $3 1
    ${If} ${FileExists} "$AppDir\${NAME}"
        ${If} $1 == ""
        ${OrIf} $1 != $2
            StrCpy $3 0
        ${EndIf}
    ${EndIf}
    ${If} $3 == 1
        File "/oname=$AppDir\${NAME}" "${SOURCE}"
        StrCpy $Ours '$Ours "${NAME}"'
    ${Else}
        DetailPrint "Modifié par le cabinet, gardé : ${NAME}"
    ${EndIf}
!macroend

; Removes a template or a grid that is still what the installation put there.
!macro RemovePracticeFile NAME SOURCE
    ReadINIStr $1 "$AppDir\${CHECKSUM_LIST}" sha256 "${NAME}"
    ReadINIStr $2 "$PLUGINSDIR\present.ini" sha256 "${NAME}"
    ${If} $1 != ""
    ${AndIf} $1 == $2
        Delete "$AppDir\${NAME}"
    ${EndIf}
!macroend

; Waits, with the user, until no program has either DLL loaded: a host holding it keeps it from
; being replaced. Silent, it gives up at once: the installation stops untouched, exit code 3.
!macro WaitForHosts
    ${Do}
        !insertmacro FindHosts formalys-installation.exe
        ${If} $0 == 0
        ${AndIf} ${RunningX64}
            !insertmacro FindHosts formalys-installation-64.exe
        ${EndIf}
        ${If} $0 == 0
            ; A program the helper may not look into still keeps the file from being written.
            StrCpy $1 "un logiciel du cabinet"
            StrCpy $0 0
            ${If} ${FileExists} "$INSTDIR\formalys.dll"
                ClearErrors
                FileOpen $2 "$INSTDIR\formalys.dll" a
                ${If} ${Errors}
                    StrCpy $0 1
                ${Else}
                    FileClose $2
                ${EndIf}
            ${EndIf}
            ${IfThen} $0 == 0 ${|} ${Break} ${|}
        ${EndIf}
        MessageBox MB_ICONEXCLAMATION|MB_RETRYCANCEL "Formalys est en cours d'utilisation par $1. \
            Fermez ce logiciel, puis cliquez sur Réessayer." /SD IDCANCEL IDRETRY +3
        SetErrorLevel 3
        Quit
    ${Loop}
!macroend

Function .onInit
    !insertmacro ChooseScope
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/Cabinet=" $AppDir
    StrCpy $AppDirChosen 0
    ${IfNot} ${Errors}
        StrCpy $AppDirChosen 1
    ${EndIf}
    ; An upgrade: where the last installation put the program and the practice's files.
    ReadRegStr $R1 SHCTX "${KEY}" "InstallLocation"
    ReadRegStr $R2 SHCTX "${KEY}" "ApplicationDirectory"
    ${If} $INSTDIR == "" ; not given with /D=
        ${If} $R1 != ""
            StrCpy $INSTDIR $R1
        ${ElseIf} $PerMachine == 1
        ${AndIf} ${RunningX64}
            StrCpy $INSTDIR "$PROGRAMFILES64\Formalys"
        ${ElseIf} $PerMachine == 1
            StrCpy $INSTDIR "$PROGRAMFILES\Formalys"
        ${Else}
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Formalys"
        ${EndIf}
    ${EndIf}
    ${If} $AppDirChosen == 0
    ${AndIf} $R2 != ""
    ${AndIf} $R2 != $R1
        StrCpy $AppDir $R2
        StrCpy $AppDirChosen 1
    ${EndIf}
FunctionEnd

; The practice's directory follows the program directory until it is chosen apart from it.
Function AppDirPage
    ${If} $AppDirChosen == 0
        StrCpy $AppDir $INSTDIR
    ${EndIf}
FunctionEnd

Function AppDirChosen
    ${If} $AppDir != $INSTDIR
        StrCpy $AppDirChosen 1
    ${EndIf}
FunctionEnd

Section "Formalys"
    Call AppDirPage ; silent: the page was not shown
    !insertmacro ExtractHelper
    !insertmacro WaitForHosts
    SetOutPath "$INSTDIR"
    File "${X86}\formalys.dll"
    File "${X86}\cli\formalys.exe"
    File "${LISEZMOI}"
    File /oname=LICENCE.txt "${LICENCE}"
    SetOutPath "$INSTDIR\x64"
    File "${X64}\formalys.dll"

    CreateDirectory "$AppDir"
    !insertmacro Checksums "$PLUGINSDIR\present.ini" '${PRACTICE_NAMES}'
    StrCpy $Ours ""
    !insertmacro ForEachPracticeFile InstallPracticeFile
    ; The list names only the files this installation put there; those the practice changed are
    ; its own from now on.
    !insertmacro Checksums "$PLUGINSDIR\ours.ini" $Ours
    Delete "$AppDir\${CHECKSUM_LIST}"
    ${If} ${FileExists} "$PLUGINSDIR\ours.ini"
        CopyFiles /SILENT "$PLUGINSDIR\ours.ini" "$AppDir\${CHECKSUM_LIST}"
    ${EndIf}

    !insertmacro Register ""
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    WriteRegStr SHCTX "${KEY}" "DisplayName" "Formalys"
    WriteRegStr SHCTX "${KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${KEY}" "Publisher" "Tournesolo SARL"
    WriteRegStr SHCTX "${KEY}" "DisplayIcon" "$INSTDIR\formalys.dll,-103" ; the sunflower
    WriteRegStr SHCTX "${KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${KEY}" "ApplicationDirectory" "$AppDir"
    WriteRegStr SHCTX "${KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr SHCTX "${KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD SHCTX "${KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    ; The scope of the installation: the key of every user names this directory, or it was the
    ; current user's.
    StrCpy $PerMachine 0
    ReadRegStr $R0 HKLM "${KEY}" "InstallLocation"
    ${If} $R0 == $INSTDIR
        StrCpy $PerMachine 1
        SetShellVarContext all
        StrCpy $Registration "/s"
    ${Else}
        SetShellVarContext current
        StrCpy $Registration "/s /n /i:user"
    ${EndIf}
    ReadRegStr $AppDir SHCTX "${KEY}" "ApplicationDirectory"
    ${If} $AppDir == ""
        StrCpy $AppDir $INSTDIR
    ${EndIf}
FunctionEnd

Section "Uninstall"
    !insertmacro ExtractHelper
    !insertmacro WaitForHosts
    !insertmacro Register "/u"
    Delete "$INSTDIR\formalys.dll"
    Delete "$INSTDIR\formalys.exe"
    Delete "$INSTDIR\LISEZMOI.txt"
    Delete "$INSTDIR\LICENCE.txt"
    Delete "$INSTDIR\x64\formalys.dll"
    RMDir "$INSTDIR\x64"

    !insertmacro Checksums "$PLUGINSDIR\present.ini" '${PRACTICE_NAMES}'
    !insertmacro ForEachPracticeFile RemovePracticeFile
    Delete "$AppDir\${CHECKSUM_LIST}"

    Delete "$INSTDIR\${UNINSTALLER}"
    DeleteRegKey SHCTX "${KEY}"
    ; The list of programs' own key, when this installation made it (a fresh user's).
    DeleteRegKey /ifempty SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall"
    ; Each directory goes only when nothing of the practice's is left in it.
    RMDir "$INSTDIR"
    RMDir "$AppDir"
    ${If} ${FileExists} "$AppDir\*.*"
        MessageBox MB_ICONINFORMATION "Formalys est désinstallé. Les fichiers du cabinet (modèles \
            et grilles modifiés, fichier d'échange, travaux en pause, documents) restent dans \
            $AppDir." /SD IDOK
    ${ElseIf} ${FileExists} "$INSTDIR\*.*"
        MessageBox MB_ICONINFORMATION "Formalys est désinstallé. Les fichiers du cabinet restent \
            dans $INSTDIR." /SD IDOK
    ${EndIf}
SectionEnd
