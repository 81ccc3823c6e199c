// The IP helper binding on Windows: the service's library loaded by name, each function looked up in it.
#include "platform/ip_helper.h"

namespace qn {

HANDLE LoadIpHelper()
{
    // Loaded once and never freed: the bound table holds addresses inside it for the process's life.
    static const HMODULE module = LoadLibraryW(L"iphlpapi.dll");
    return module;
}

TIpHelperProc GetIpHelperProc(HANDLE AModule, const char* AName)
{
    if (!AModule || !AName)
        return nullptr;
    return reinterpret_cast<TIpHelperProc>(GetProcAddress(static_cast<HMODULE>(AModule), AName));
}

bool CancelIPChangeNotify(OVERLAPPED* AOverlapped)
{
    using TCancel = BOOL (*)(LPOVERLAPPED);
    static const auto cancel = reinterpret_cast<TCancel>(GetIpHelperProc(LoadIpHelper(), "CancelIPChangeNotify"));
    return cancel && AOverlapped && cancel(AOverlapped) != 0;
}

} // namespace qn
