// A host in JScript: new ActiveXObject, CerfaInit with a directory only, then with numbers as a
// script gives them (a callback of 0, Alone as a number), and TheData across objects.
var failures = 0;
function check(what, actual, expected) {
    if (actual === expected) {
        WScript.Echo("ok   " + what);
    } else {
        WScript.Echo("FAIL " + what + ": got [" + actual + "], expected [" + expected + "]");
        failures++;
    }
}
var directory = WScript.Arguments(0);
var shpdf = new ActiveXObject("Formalys.SHPDF");
check("TheData is empty at creation", shpdf.TheData, "");
shpdf.CerfaInit(directory);
shpdf.CerfaInit(directory + "\\", -1, 0);
shpdf.TheData = "JScript";
check("TheData reads back", shpdf.TheData, "JScript");
var fso = new ActiveXObject("Scripting.FileSystemObject");
if (fso.FileExists("2035Ok.pdf")) { fso.DeleteFile("2035Ok.pdf"); }
shpdf.Cerfa2035();
check("form 2035 is written", fso.FileExists("2035Ok.pdf"), true);
try {
    shpdf.CerfaInit(directory, 0, "pas une adresse");
    check("a refused callback is an error", "no error", "an error");
} catch (e) {
    check("a refused callback is an error", (e.number >>> 0).toString(16), "80070057");
}
WScript.Echo("fin");
WScript.Quit(failures);
