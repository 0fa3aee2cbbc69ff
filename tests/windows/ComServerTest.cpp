// formalys.dll loaded as COM loads an in-process server: objects made by the class factory it
// hands out, driven by name through IDispatch as a script host drives them, with CerfaInit's
// arguments in the variants hosts of every language pass; the DLL stays loaded while an object
// or a lock lives.
#include "files/WidePath.h"
#include "formalys/formalys.h"
#include "support/Test.h"

#include <windows.h>
#include <oleauto.h>

namespace {

std::string document; // what the host's window procedure names when Formalys asks
LRESULT CALLBACK namingProcedure(HWND, UINT message, WPARAM first, LPARAM second)
{
    if (message == 2 && first == 3 && second == 4) { WriteExchange("RESULTAT", "FICHIER", document); }
    return 0;
}

// The class id hosts built against the type library hold: it never changes.
CLSID shpdfClass()
{
    CLSID clsid{};
    ::CLSIDFromString(L"{AFEE3447-2831-4A03-8CE0-403CE3E021F2}", &clsid);
    return clsid;
}

class ComServerTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        module_ = ::LoadLibraryW(files::widePath(FORMALYS_DLL).c_str());
        ASSERT_NE(module_, nullptr);
        getClassObject_ = symbol<decltype(&DllGetClassObject)>("DllGetClassObject");
        canUnloadNow_ = symbol<decltype(&DllCanUnloadNow)>("DllCanUnloadNow");
        ASSERT_TRUE(SUCCEEDED(getClassObject_(shpdfClass(), IID_IClassFactory, reinterpret_cast<void**>(&factory_))));
    }
    void TearDown() override
    {
        factory_->Release();
        ::CoUninitialize();
        AppFixture::TearDown();
    }
    template <typename Function> Function symbol(const char* name) // through void(*)(), as GetProcAddress's callers do
    {
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module_, name)));
    }
    IDispatch* create()
    {
        IDispatch* object = nullptr;
        EXPECT_TRUE(SUCCEEDED(factory_->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object))));
        return object;
    }
    // Calls `name` by name with `arguments` in the order of the call, as a script host does (they go
    // last first); the French description of a failure lands in `said`.
    HRESULT call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments = {}, WORD flags = DISPATCH_METHOD,
                 VARIANT* result = nullptr)
    {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << files::utf8Path(name);
        std::reverse(arguments.begin(), arguments.end());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS parameters{arguments.data(), flags == DISPATCH_PROPERTYPUT ? &named : nullptr,
                              static_cast<UINT>(arguments.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
        EXCEPINFO exception{};
        const HRESULT outcome = object->Invoke(id, IID_NULL, 0, flags, &parameters, result, &exception, nullptr);
        said = exception.bstrDescription ? files::utf8Path(exception.bstrDescription) : "";
        ::SysFreeString(exception.bstrDescription), ::SysFreeString(exception.bstrSource), ::SysFreeString(exception.bstrHelpFile);
        return outcome == DISP_E_EXCEPTION ? exception.scode : outcome;
    }
    static VARIANT text(const std::string& value)
    {
        VARIANT v;
        V_VT(&v) = VT_BSTR, V_BSTR(&v) = ::SysAllocString(files::widePath(value).c_str());
        return v;
    }
    template <typename Set> static VARIANT variant(VARTYPE type, Set set)
    {
        VARIANT v{};
        V_VT(&v) = type;
        set(v);
        return v;
    }

    HMODULE module_ = nullptr;
    decltype(&DllGetClassObject) getClassObject_ = nullptr;
    decltype(&DllCanUnloadNow) canUnloadNow_ = nullptr;
    IClassFactory* factory_ = nullptr;
    std::string said;
};

TEST_F(ComServerTest, TheServerStaysLoadedWhileAnObjectOrALockLives)
{
    IDispatch* probe = create();
    DISPID id = 0;
    for (const auto& [name, expected] : std::vector<std::pair<std::wstring, DISPID>>{
             {L"TheData", 1}, {L"CerfaInit", 2}, {L"cerfaassistant", 3}, {L"CerfaQuit", 4}, {L"CerfaMenuPatient", 5},
             {L"CerfaAbout", 6}, {L"CerfaTest", 7}, {L"CERFA2035", 8}}) { // the numbers early-bound hosts hold
        LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
        EXPECT_EQ(probe->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
        EXPECT_EQ(id, expected) << files::utf8Path(name);
    }
    probe->Release();
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "the factory is held";
    IDispatch* object = create();
    factory_->LockServer(TRUE);
    factory_->Release();
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "locked";
    factory_->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "an object lives";
    object->Release();
    EXPECT_EQ(canUnloadNow_(), S_OK);
    EXPECT_EQ(getClassObject_(IID_IDispatch, IID_IClassFactory, reinterpret_cast<void**>(&factory_)), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_TRUE(SUCCEEDED(getClassObject_(shpdfClass(), IID_IClassFactory, reinterpret_cast<void**>(&factory_))));
    EXPECT_EQ(factory_->CreateInstance(reinterpret_cast<IUnknown*>(factory_), IID_IDispatch, reinterpret_cast<void**>(&object)), CLASS_E_NOAGGREGATION);
}

// Each row: CerfaInit's three arguments as a host passes them, and what comes of it. The directory
// counts when the generation through the same DLL finds its template and the callback names the
// document.
TEST_F(ComServerTest, CerfaInitTakesTheArgumentsAsHostsPassThem)
{
    installShippedForms();
    writeExchange("[PATIENT]\r\nNOM=Lefèvre\r\nNOMASS=Lefèvre\r\n");
    const VARIANT missing = variant(VT_ERROR, [](VARIANT& v) { V_ERROR(&v) = DISP_E_PARAMNOTFOUND; });
    const VARIANT empty{}, yes = variant(VT_BOOL, [](VARIANT& v) { V_BOOL(&v) = VARIANT_TRUE; });
    const auto address = reinterpret_cast<std::intptr_t>(&namingProcedure);
    const VARIANT callback = sizeof(address) == 8 ? variant(VT_I8, [&](VARIANT& v) { V_I8(&v) = address; })
                                                  : variant(VT_I4, [&](VARIANT& v) { V_I4(&v) = static_cast<LONG>(address); });
    const std::string path = dir.path() + "\\";
    VARIANT variable = text(path); // a script's variable, passed by reference
    const VARIANT byReference = variant(VT_BYREF | VT_VARIANT, [&](VARIANT& v) { V_VARIANTREF(&v) = &variable; });
    IDispatch* object = create();
    struct Row { const char* what; std::vector<VARIANT> arguments; HRESULT outcome; bool generates; };
    const Row rows[] = { // each text its own: the variants are the host's, handed over for the call
        {"directory, True, callback", {text(path), yes, callback}, S_OK, true},
        {"a script's variables", {byReference, text("-1"), callback}, S_OK, true},
        {"all left out", {missing, missing, missing}, S_OK, false},
        {"empty variants", {empty, empty, empty}, S_OK, false},
        {"the object for the directory", {variant(VT_DISPATCH, [&](VARIANT& v) { V_DISPATCH(&v) = object; }), empty, empty}, E_INVALIDARG, false},
        {"Alone out of range", {text(path), text("40000"), empty}, E_INVALIDARG, false},
        {"a callback that is no number", {text(path), empty, text("rappel")}, E_INVALIDARG, false},
    };
    const auto generate = symbol<decltype(&formalys_generate)>("formalys_generate");
    for (const Row& row : rows) {
        document = dir.file(std::string("document ") + row.what + ".pdf");
        EXPECT_EQ(call(object, L"CerfaInit", row.arguments), row.outcome) << row.what;
        if (row.outcome == S_OK) {
            EXPECT_EQ(said, "") << row.what;
            EXPECT_EQ(generate(nullptr, "MT", nullptr, nullptr) == 0 && fs::exists(fs::u8path(document)), row.generates) << row.what;
        } else {
            EXPECT_THAT(said, HasSubstr("CerfaInit : l'argument")) << row.what;
        }
    }
    EXPECT_EQ(V_VT(&variable), VT_BSTR) << "the host's variable is left as it was";
    EXPECT_EQ(files::utf8Path(V_BSTR(&variable)), path);
    VARIANT data{};
    EXPECT_EQ(call(object, L"TheData", {}, DISPATCH_PROPERTYGET, &data), S_OK);
    EXPECT_EQ(V_VT(&data), VT_BSTR);
    EXPECT_EQ(::SysStringLen(V_BSTR(&data)), 0u);
    ::VariantClear(&data), ::VariantClear(&variable);
    object->Release();
}

} // namespace
