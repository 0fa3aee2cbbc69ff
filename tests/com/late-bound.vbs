' A host in VBScript, late bound, as a practice's scripts drive Formalys: CreateObject by ProgID,
' TheData, CerfaInit with its arguments left out or passed by reference, form 2035, and the French
' description of a refused argument. Prints one line per check; the exit code counts the failures.
Option Explicit
Dim failures, shpdf, other, directory, alone, callback
failures = 0

Sub Check(what, actual, expected)
    If actual = expected Then
        WScript.Echo "ok   " & what
    Else
        WScript.Echo "FAIL " & what & ": got [" & actual & "], expected [" & expected & "]"
        failures = failures + 1
    End If
End Sub

directory = WScript.Arguments(0)
Set shpdf = CreateObject("Formalys.SHPDF")
Set other = CreateObject("Formalys.SHPDF.1")
Check "TheData is empty at creation", shpdf.TheData, ""
shpdf.TheData = "note"
Check "TheData belongs to its object", shpdf.TheData & "|" & other.TheData, "note|"

shpdf.CerfaInit ' every argument left out
alone = True
callback = 0
directory = directory & "\"
shpdf.CerfaInit directory, alone, callback
Check "the arguments are not written back", directory & "|" & alone, WScript.Arguments(0) & "\|True"
other.Cerfa2035 ' the component state is the process's: the other object fills from the same directory
Check "form 2035 is written to the current directory", _
    CreateObject("Scripting.FileSystemObject").FileExists("2035Ok.pdf"), True
shpdf.CerfaQuit

On Error Resume Next
shpdf.CerfaInit directory, "pas un nombre"
Check "a refused argument is an error", Hex(Err.Number), "80070057"
Check "its description names the argument", InStr(Err.Description, "Alone") > 0, True
Err.Clear
On Error GoTo 0
WScript.Echo "fin"
WScript.Quit failures
