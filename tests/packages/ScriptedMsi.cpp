#include "ScriptedMsi.h"

#include <cstdio>
#include <cstring>

MsiScript Script;

std::vector<std::string> MsiScript::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : Calls)
        if (call.starts_with(prefix))
            found.push_back(call);
    return found;
}

namespace {

std::string Text(LPCSTR text) {
    return text ? text : "(null)";
}

INSTALLUILEVEL WINAPI SetInternalUI(INSTALLUILEVEL level, HWND* owner) {
    Script.Calls.push_back("ui " + std::to_string(level) + (owner ? " owner" : " no owner"));
    return INSTALLUILEVEL_DEFAULT;
}

UINT WINAPI EnableLog(DWORD mode, LPCSTR file, DWORD attributes) {
    char hex[16];
    snprintf(hex, sizeof hex, "%lX", static_cast<unsigned long>(mode));
    Script.Calls.push_back("log " + std::string(hex) + " " + Text(file) + " " +
                           std::to_string(attributes));
    return ERROR_SUCCESS;
}

UINT WINAPI OpenDatabase(LPCSTR path, LPCSTR persist, MSIHANDLE* database) {
    Script.Calls.push_back("open " + Text(path) +
                           (persist == MSIDBOPEN_READONLY ? " read-only" : " other"));
    if (Script.OpenResult == ERROR_SUCCESS)
        *database = ScriptedDatabase;
    return Script.OpenResult;
}

UINT WINAPI OpenView(MSIHANDLE database, LPCSTR query, MSIHANDLE* view) {
    Script.Calls.push_back("view " + std::to_string(database) + " " + Text(query));
    if (Script.ViewResult == ERROR_SUCCESS)
        *view = ScriptedView;
    return Script.ViewResult;
}

UINT WINAPI Execute(MSIHANDLE view, MSIHANDLE record) {
    Script.Calls.push_back("execute " + std::to_string(view) + " " + std::to_string(record));
    return Script.ExecuteResult;
}

UINT WINAPI Fetch(MSIHANDLE view, MSIHANDLE* record) {
    Script.Calls.push_back("fetch " + std::to_string(view));
    if (Script.FetchResult == ERROR_SUCCESS)
        *record = ScriptedRecord;
    return Script.FetchResult;
}

UINT WINAPI GetString(MSIHANDLE record, UINT field, LPSTR buffer, DWORD* length) {
    bool zeroed = true;
    for (DWORD i = 0; i < *length; ++i)
        zeroed = zeroed && buffer[i] == '\0';
    Script.Calls.push_back("get " + std::to_string(record) + " " + std::to_string(field) + " " +
                           std::to_string(*length) + (zeroed ? " zeroed" : " dirty"));
    if (Script.GetResult != ERROR_SUCCESS)
        return Script.GetResult;
    const DWORD needed = static_cast<DWORD>(Script.ProductCode.size());
    if (needed >= *length) {
        *length = needed;
        return ERROR_MORE_DATA;
    }
    memcpy(buffer, Script.ProductCode.c_str(), needed + 1);
    *length = needed;
    return ERROR_SUCCESS;
}

UINT WINAPI Close(MSIHANDLE handle) {
    Script.Calls.push_back("close " + std::to_string(handle));
    return ERROR_SUCCESS;
}

INSTALLSTATE WINAPI QueryState(LPCSTR code) {
    Script.Calls.push_back("state " + Text(code));
    const auto found = Script.States.find(Text(code));
    return found == Script.States.end() ? INSTALLSTATE_UNKNOWN : found->second;
}

UINT WINAPI Configure(LPCSTR code, int level, INSTALLSTATE state) {
    Script.Calls.push_back("configure " + Text(code) + " " + std::to_string(level) + " " +
                           std::to_string(state));
    const auto found = Script.RemoveResults.find(Text(code));
    return found == Script.RemoveResults.end() ? ERROR_SUCCESS : found->second;
}

UINT WINAPI Install(LPCSTR path, LPCSTR commandLine) {
    Script.Calls.push_back("install " + Text(path) + " | " + Text(commandLine));
    return Script.Install ? Script.Install(Text(path), Text(commandLine)) : ERROR_SUCCESS;
}

const MsiFunctions ScriptedFunctions = {
    SetInternalUI, EnableLog, OpenDatabase, OpenView,  Execute, Fetch,
    GetString,     Close,     QueryState,   Configure, Install,
    nullptr, // integer fields: no scripted operation reads one
};

} // namespace

ScriptedMsi::ScriptedMsi() : saved_(Msi) {
    Script = MsiScript();
    Msi = ScriptedFunctions;
}

ScriptedMsi::~ScriptedMsi() {
    Msi = saved_;
}
