#pragma once
// Formalys: fills French administrative medical forms ("Cerfa" forms) for a host application.
//
// SHPDF is the one class a host drives. Every SHPDF object of a process shares one component
// state (application directory, exchange file, host callback); TheData is the only state an
// object holds of its own. No operation returns a value or throws: a failing step is skipped,
// and the messages meant for the user are shown by the component itself.
//
// The interface uses only texts (UTF-8), 16-bit integers and a callback taking four 32-bit
// integers, so that the C interface can express all of it.

#include <cstdint>
#include <functional>
#include <string>

namespace formalys {

// Called with 1, 2, 3, 4 when a filled document is ready; the host answers by writing the path of
// the document into RESULTAT/FICHIER of the exchange file, during the call or later from another
// thread or process. The result is ignored.
using HostCallback =
    std::function<std::int32_t(std::int32_t, std::int32_t, std::int32_t, std::int32_t)>;

class SHPDF
{
public:
    // TheData: a text property, empty until the first CerfaAbout on this object has finished.
    const std::string& TheData() const { return theData_; }
    void setTheData(std::string value) { theData_ = std::move(value); }

    // Tells the component where its files are and how to reach the host:
    // - APath: the application directory (templates, mapping grids, exchange file Formalys.ini,
    //   pause files); one trailing "/" is removed, not two. Empty: the directory of the component
    //   itself (the directory of libformalys, or of the executable it is linked into).
    // - Alone: -1 keeps the tray icon from appearing; any other value lets it appear.
    // - ACallBack: the host callback; empty for none, in which case a generated document is saved
    //   as "test.pdf" in the component directory.
    // Nothing is validated. A later call replaces all values.
    void CerfaInit(const std::string& APath = {}, std::int16_t Alone = 0,
                   HostCallback ACallBack = {});

    // Shows the assistant window modally: returns once it has gone (generated, paused or closed).
    // Called while the window is open modelessly, brings it forward and waits for it to go. A
    // process without a display shows nothing and records a warning.
    void CerfaAssistant();

    // Shows the assistant window modelessly and returns at once; the window stays open beside the
    // host, which keeps running its event loop.
    void CerfaMenuPatient();

    // Closes the tray window, which removes the tray icon; it does not come back while the
    // component stays loaded. The assistant window is not touched. Call it before letting the
    // component go.
    void CerfaQuit();

    // Shows the about window modally (creating the tray icon first, unless Alone is -1); once it
    // has gone, TheData reads "Yes My Friend". Without a display it shows nothing and records a
    // warning.
    void CerfaAbout();

    // Shows the message "Ok" under the title "Information", and returns once it is dismissed.
    void CerfaTest();

    // Fills form 2035 without any window: every field of <application directory>/2035.pdf whose
    // name is a key of section [2035] of the exchange file, with a non-blank value, takes that
    // value; the document is saved as "2035Ok.pdf" in the current directory. A missing template
    // shows "Le fichier <2035.pdf> de référence est introuvable !" and writes nothing.
    void Cerfa2035();

private:
    std::string theData_;
};

} // namespace formalys
