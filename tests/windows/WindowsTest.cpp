// What only Windows can meet: a drive root as the application directory, hidden and system files,
// a document held open by a viewer and the message box of formalys.dll. (The host's window
// procedure as the callback: FormalysCTest, through support/PlatformWin32.cpp.) Paths with accents
// go through the "W" functions, never the ANSI code page.
#include "files/AtomicFile.h"
#include "files/FileSystem.h"
#include "files/WidePath.h"
#include "formalys/formalys.h"
#include "support/Platform.h"
#include "support/Test.h"

#include <thread>
#include <windows.h>

namespace {

using WindowsTest = AppFixture;

// A drive root keeps its letter and loses its "\": the exchange file is D:\Formalys.ini. Wine's C:
// is a real drive root the test may write.
TEST_F(WindowsTest, ADriveRootIsItsLetter)
{
    const std::string exchange = "C:\\Formalys.ini";
    writeBytes(exchange, "[PATIENT]\r\nNOM=Lefèvre\r\n");
    SHPDF().CerfaInit("C:\\");
    EXPECT_EQ(state().applicationDirectory + " " + state().exchangePath, "C: " + exchange);
    EXPECT_EQ(ReadExchange("PATIENT", "NOM", ""), "Lefèvre");
    WriteExchange("RESULTAT", "TITRE", "Zoé");
    EXPECT_EQ(ReadExchange("RESULTAT", "TITRE", ""), "Zoé");
    EXPECT_TRUE(fs::remove(exchange));
}

// A file is present when it is an ordinary file: hidden and system files count as missing, as a
// directory does; a read-only file is present. Names with accents name the same file everywhere.
TEST_F(WindowsTest, HiddenAndSystemFilesCountAsMissing)
{
    const std::vector<std::pair<DWORD, bool>> rows = {
        {FILE_ATTRIBUTE_NORMAL, true}, {FILE_ATTRIBUTE_READONLY, true}, {FILE_ATTRIBUTE_ARCHIVE, true},
        {FILE_ATTRIBUTE_HIDDEN, false}, {FILE_ATTRIBUTE_SYSTEM, false}, {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, false}};
    for (const auto& [attributes, present] : rows) {
        const std::string path = dir.file("Modèle é " + std::to_string(attributes) + ".pdf");
        writeBytes(path, "%PDF");
        ASSERT_TRUE(::SetFileAttributesW(files::widePath(path).c_str(), attributes)) << attributes;
        EXPECT_EQ(files::isRegularFile(path), present) << attributes;
        ::SetFileAttributesW(files::widePath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::create_directory(dir.file("Dossier.pdf"));
    EXPECT_FALSE(files::isRegularFile(dir.file("Dossier.pdf")));
}

// A document that a viewer holds open without sharing cannot be replaced: generation says so in
// French, naming the file; the previous document stays whole and nothing is left beside it. Under a
// folder with accents, the document with accents in its name is written where the host said.
TEST_F(WindowsTest, ADocumentHeldOpenStaysWhole)
{
    const std::string folder = dir.file("Cabinet Médical");
    fs::create_directory(files::nativePath(folder));
    SHPDF().CerfaInit(folder + "\\");
    writeBytes(folder + "\\Formalys.ini", "[PATIENT]\r\nNUMPA=12\r\nNOMASS=Lefèvre\r\n");
    fs::copy(FORMALYS_FORMS_DIR "/MT.pdf", files::nativePath(folder + "\\MT.pdf"));
    fs::copy(FORMALYS_GRIDS_DIR "/MT.cil", files::nativePath(folder + "\\MT.cil"));
    const std::string document = folder + "\\Zoé Lefèvre.pdf";
    writeBytes(document, "previous document");
    {
        const BlockedTarget viewer(document);
        hostNames(document);
        window().Combo1().select(0);
        window().Command2_Click();
    }
    ASSERT_FALSE(messages->shown.empty());
    EXPECT_THAT(messages->shown.back().text, HasSubstr("le fichier « " + document + " » est ouvert dans un autre programme"));
    EXPECT_EQ(readBytes(document), "previous document");
    EXPECT_EQ(std::distance(fs::directory_iterator(files::nativePath(folder)), {}), 4) << "no temporary file left";
    window().Command2_Click(); // the viewer closed: the same sheet is saved
    EXPECT_EQ(PdfReadBack(document).value("nom"), "LEFÈVRE");
}

// A reader that holds the file for a moment, as the host reading the exchange file does, delays
// the replacement but does not make it fail.
TEST_F(WindowsTest, AReaderOfAMomentDoesNotStopAWrite)
{
    const std::string path = dir.file("Formalys.ini");
    writeBytes(path, "[RESULTAT]\r\nFICHIER=OFF\r\n");
    HANDLE reader = ::CreateFileW(files::widePath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread done([reader] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::CloseHandle(reader);
    });
    const files::WriteResult written = files::writeFileAtomically(path, "[RESULTAT]\r\nFICHIER=C:\\a.pdf\r\n");
    done.join();
    EXPECT_TRUE(written.ok) << written.error;
    EXPECT_EQ(readBytes(path), "[RESULTAT]\r\nFICHIER=C:\\a.pdf\r\n");
}

// Adds the text of `child` to the wstring at `texts` (an EnumChildWindows callback, stdcall on x86).
BOOL CALLBACK appendText(HWND child, LPARAM texts)
{
    wchar_t text[64] = {};
    ::GetWindowTextW(child, text, 64);
    *reinterpret_cast<std::wstring*>(texts) += std::wstring(text) + L"|";
    return TRUE;
}

// formalys.dll shows its messages with MessageBoxW: CerfaTest's box comes up, titled "Information",
// and returns once its OK button is pressed.
TEST(Win32MessageBoxTest, TheDllShowsAMessageBoxThatOkCloses)
{
    const HMODULE module = ::LoadLibraryW(files::widePath(FORMALYS_DLL).c_str());
    ASSERT_NE(module, nullptr);
    const auto symbol = [module](auto function, const char* name) { // through void(*)(), as GetProcAddress's callers do
        return reinterpret_cast<decltype(function)>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
    };
    const auto create = symbol(&formalys_shpdf_new, "formalys_shpdf_new");
    const auto test = symbol(&formalys_cerfa_test, "formalys_cerfa_test");
    const auto release = symbol(&formalys_shpdf_free, "formalys_shpdf_free");
    ASSERT_TRUE(create && test && release);
    std::wstring seen = L"|";
    std::thread user([&seen] { // the user, who reads the box and presses OK
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (const HWND box = ::FindWindowW(L"#32770", L"Information")) {
                ::EnumChildWindows(box, &appendText, reinterpret_cast<LPARAM>(&seen));
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    FormalysSHPDF* object = create();
    EXPECT_EQ(test(object), 0);
    user.join();
    release(object);
    EXPECT_NE(seen.find(L"|Ok|"), std::wstring::npos) << files::utf8Path(seen);
}

} // namespace
