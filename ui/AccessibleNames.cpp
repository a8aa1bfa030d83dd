// Dynamic Annotation of accessible names.
#include "AccessibleNames.h"

#include "SystemLibraries.h"

#include <oleacc.h>

#include <vector>

AccessibleNameSetter SetAccessibleName = AnnotateAccessibleName;

namespace {

// Their documented values, defined here so that nothing links to oleacc.
constexpr GUID AccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID AccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID NameProperty = { // PROPID_ACC_NAME
    0x608d3df8,
    0x8128,
    0x4aa7,
    {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

// Made once on the UI thread from the system's oleacc.dll class factory, not through the
// registry, whose per-user part an ordinary user can write; null when unavailable.
IAccPropServices* Service() {
    static IAccPropServices* const service = []() -> IAccPropServices* {
        HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
        using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
        auto getClassObject = oleacc ? reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(
                                           GetProcAddress(oleacc, "DllGetClassObject")))
                                     : nullptr;
        // COM stays initialised on this thread for as long as the service lives.
        if (!getClassObject ||
            FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
            return nullptr;
        IClassFactory* factory = nullptr;
        if (FAILED(getClassObject(AccPropServicesClass, IID_IClassFactory,
                                  reinterpret_cast<void**>(&factory))))
            return nullptr;
        IAccPropServices* made = nullptr;
        if (FAILED(factory->CreateInstance(nullptr, AccPropServicesInterface,
                                           reinterpret_cast<void**>(&made))))
            made = nullptr;
        factory->Release();
        return made;
    }();
    return service;
}

} // namespace

void AnnotateAccessibleName(HWND control, const std::string& name) {
    IAccPropServices* service = control ? Service() : nullptr;
    if (!service)
        return;
    const int length = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide.data(), length);
    service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, NameProperty,
                            wide.data());
}
