; The installer of Formalys for Windows, in French: both builds of formalys.dll (x86 beside the
; templates, x64 in x64\), each registered as the automation server Formalys.SHPDF for its
; bitness, formalys.exe, the templates and grids, LISEZMOI.txt, LICENCE.txt and the uninstaller.
; Per machine (Program Files, every user) when run with administrator rights, per user
; (%LOCALAPPDATA%\Programs\Formalys) otherwise or with /CurrentUser. /S is silent, /D= the directory.
; Built by `cmake --build --preset windows-x64 --target installer` with these definitions:
;   VERSION OUTFILE X86 X64 FORMS GRIDS LISEZMOI LICENCE
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel highest

!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include MUI2.nsh

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Formalys"
!define UNINSTALLER "Desinstaller-Formalys.exe"

Name "Formalys ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Tournesolo SARL"

Var PerMachine
Var Registration ; regsvr32's options: "/s" for every user, "/s /n /i:user" for the current one

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

Function .onInit
    !insertmacro ChooseScope
    ${If} $INSTDIR == "" ; not given with /D=
        ${If} $PerMachine == 1
            StrCpy $INSTDIR "$PROGRAMFILES\Formalys"
        ${Else}
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Formalys"
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "Formalys"
    ; A host that holds the DLL keeps it from being replaced: say so rather than half install.
    ${If} ${FileExists} "$INSTDIR\formalys.dll"
        ClearErrors
        FileOpen $0 "$INSTDIR\formalys.dll" a
        ${If} ${Errors}
            MessageBox MB_ICONSTOP "Formalys est en cours d'utilisation par un logiciel du cabinet. \
                Fermez-le, puis relancez l'installation." /SD IDOK
            Abort
        ${EndIf}
        FileClose $0
    ${EndIf}
    SetOutPath "$INSTDIR"
    SetOverwrite on
    File "${X86}\formalys.dll"
    File "${X86}\cli\formalys.exe"
    File "${LISEZMOI}"
    File /oname=LICENCE.txt "${LICENCE}"
    SetOutPath "$INSTDIR\x64"
    File "${X64}\formalys.dll"
    ; The templates and grids are the practice's once installed: one it has adapted is kept.
    SetOutPath "$INSTDIR"
    SetOverwrite off
    File "${FORMS}\MT.pdf"
    File "${FORMS}\DEPAT.pdf"
    File "${FORMS}\PIRES.pdf"
    File "${FORMS}\DSI.pdf"
    File "${FORMS}\2035.pdf"
    File "${GRIDS}\*.cil"
    SetOverwrite on
    !insertmacro Register ""
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    WriteRegStr SHCTX "${KEY}" "DisplayName" "Formalys"
    WriteRegStr SHCTX "${KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${KEY}" "Publisher" "Tournesolo SARL"
    WriteRegStr SHCTX "${KEY}" "InstallLocation" "$INSTDIR"
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
FunctionEnd

Section "Uninstall"
    !insertmacro Register "/u"
    Delete "$INSTDIR\formalys.dll"
    Delete "$INSTDIR\formalys.exe"
    Delete "$INSTDIR\LISEZMOI.txt"
    Delete "$INSTDIR\LICENCE.txt"
    Delete "$INSTDIR\x64\formalys.dll"
    RMDir "$INSTDIR\x64"
    Delete "$INSTDIR\${UNINSTALLER}"
    DeleteRegKey SHCTX "${KEY}"
    ; The list of programs' own key, when this installation made it (a fresh user's).
    DeleteRegKey /ifempty SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall"
    RMDir "$INSTDIR" ; only when nothing of the practice's is left in it
    ${If} ${FileExists} "$INSTDIR\*.*"
        MessageBox MB_ICONINFORMATION "Formalys est désinstallé. Les fichiers du cabinet (modèles, \
            grilles, fichier d'échange, travaux en pause, documents) restent dans $INSTDIR." /SD IDOK
    ${EndIf}
SectionEnd
