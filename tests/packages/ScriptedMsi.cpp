#include "ScriptedMsi.h"

#include <cstdio>
#include <cstring>
#include <utility>

MsiScript Script;

std::vector<std::string> MsiScript::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : Calls)
        if (call.starts_with(prefix))
            found.push_back(call);
    return found;
}

namespace {

// The package the last database was opened from.
std::string OpenedPath;

std::string Text(LPCSTR text) {
    return text ? text : "(null)";
}

std::string Hex(DWORD value) {
    char hex[16];
    snprintf(hex, sizeof hex, "%lX", static_cast<unsigned long>(value));
    return hex;
}

// Hands value out as the service does: ERROR_MORE_DATA and the length needed when it does not fit.
UINT CopyOut(const std::string& value, LPSTR buffer, DWORD* length) {
    const DWORD needed = static_cast<DWORD>(value.size());
    if (needed >= *length) {
        *length = needed;
        return ERROR_MORE_DATA;
    }
    memcpy(buffer, value.c_str(), needed + 1);
    *length = needed;
    return ERROR_SUCCESS;
}

// The owner of the service's boxes, as the service keeps it.
HWND boxOwner = nullptr;

INSTALLUILEVEL WINAPI SetInternalUI(INSTALLUILEVEL level, HWND* owner) {
    char named[32] = " no owner";
    if (owner) {
        snprintf(named, sizeof named, " owner %llX",
                 static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(*owner)));
        std::swap(boxOwner, *owner);
    }
    Script.Calls.push_back("ui " + std::to_string(level) + named);
    return INSTALLUILEVEL_DEFAULT;
}

UINT WINAPI EnableLog(DWORD mode, LPCSTR file, DWORD attributes) {
    Script.Calls.push_back("log " + Hex(mode) + " " + Text(file) + " " +
                           std::to_string(attributes));
    return ERROR_SUCCESS;
}

UINT WINAPI OpenDatabase(LPCSTR path, LPCSTR persist, MSIHANDLE* database) {
    Script.Calls.push_back("open " + Text(path) +
                           (persist == MSIDBOPEN_READONLY ? " read-only" : " other"));
    OpenedPath = Text(path);
    if (Script.OpenResult == ERROR_SUCCESS)
        *database = ScriptedDatabase;
    return Script.OpenResult;
}

// Whether the last view asked for ProductVersion rather than the product code.
bool AskedForVersion = false;

// Each package has a code of its own, as real packages do.
std::string CodeOf(const std::string& path) {
    auto found = Script.ProductCodes.find(path);
    if (found == Script.ProductCodes.end()) {
        std::string code = Script.ProductCode;
        const size_t others = Script.ProductCodes.size();
        if (others > 0)
            code.replace(code.size() - 3, 2, std::to_string(10 + others % 90));
        found = Script.ProductCodes.emplace(path, code).first;
    }
    return found->second;
}
UINT WINAPI OpenView(MSIHANDLE database, LPCSTR query, MSIHANDLE* view) {
    Script.Calls.push_back("view " + std::to_string(database) + " " + Text(query));
    AskedForVersion = Text(query).find("'ProductVersion'") != std::string::npos;
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

// The message being handed to the handler, and the handler.
const ServiceMessage* currentMessage = nullptr;
INSTALLUI_HANDLER_RECORD handler = nullptr;
LPVOID handlerContext = nullptr;
DWORD handlerFilter = 0;

UINT WINAPI MessageText(UINT field, LPSTR buffer, DWORD* length) {
    return CopyOut(field == 2 && currentMessage ? currentMessage->Text : "", buffer, length);
}

UINT WINAPI GetString(MSIHANDLE record, UINT field, LPSTR buffer, DWORD* length) {
    if (record == ScriptedMessageRecord)
        return MessageText(field, buffer, length);
    bool zeroed = true;
    for (DWORD i = 0; i < *length; ++i)
        zeroed = zeroed && buffer[i] == '\0';
    Script.Calls.push_back("get " + std::to_string(record) + " " + std::to_string(field) + " " +
                           std::to_string(*length) + (zeroed ? " zeroed" : " dirty"));
    if (Script.GetResult != ERROR_SUCCESS)
        return Script.GetResult;
    return CopyOut(AskedForVersion ? Script.ProductVersion : CodeOf(OpenedPath), buffer, length);
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

bool Done(UINT result) {
    return result == ERROR_SUCCESS || result == ERROR_SUCCESS_REBOOT_REQUIRED ||
           result == ERROR_SUCCESS_REBOOT_INITIATED;
}

UINT Remove(const std::string& call, const std::string& code) {
    Script.Calls.push_back(call);
    const auto found = Script.RemoveResults.find(code);
    const UINT result = found == Script.RemoveResults.end() ? ERROR_SUCCESS : found->second;
    if (Done(result)) {
        Script.States[code] = INSTALLSTATE_ABSENT;
        Script.Registered.erase(code);
    }
    return result;
}

UINT WINAPI ConfigureEx(LPCSTR code, int level, INSTALLSTATE state, LPCSTR commandLine) {
    const std::string call =
        "configure " + Text(code) + " " + std::to_string(level) + " " + std::to_string(state);
    return Remove(commandLine ? call + " | " + commandLine : call, Text(code));
}

UINT WINAPI Configure(LPCSTR code, int level, INSTALLSTATE state) {
    return ConfigureEx(code, level, state, nullptr);
}

int WINAPI GetInteger(MSIHANDLE record, UINT field) {
    if (record != ScriptedMessageRecord || !currentMessage || field == 0 ||
        field > currentMessage->Fields.size())
        return MSI_NULL_INTEGER;
    return currentMessage->Fields[field - 1];
}

UINT WINAPI SetExternalUIRecord(INSTALLUI_HANDLER_RECORD newHandler, DWORD filter, LPVOID context,
                                PINSTALLUI_HANDLER_RECORD previous) {
    Script.Handlers.push_back(newHandler ? "handler " + Hex(filter) : "handler none");
    if (previous)
        *previous = handler;
    handler = newHandler;
    handlerContext = context;
    handlerFilter = newHandler ? filter : 0;
    return ERROR_SUCCESS;
}

// Hands the script's messages to the handler; false when it cancelled.
bool SendMessages() {
    for (const ServiceMessage& message : Script.Messages) {
        if (!handler || !(handlerFilter & (1u << (message.Type >> 24))))
            continue;
        if (Script.MessageIntervalMs)
            Sleep(Script.MessageIntervalMs);
        currentMessage = &message;
        const int answer = handler(handlerContext, message.Type, ScriptedMessageRecord);
        currentMessage = nullptr;
        Script.Answers.push_back(answer);
        if (answer == IDCANCEL)
            return false;
    }
    return true;
}

UINT WINAPI Install(LPCSTR path, LPCSTR commandLine) {
    Script.Calls.push_back("install " + Text(path) + " | " + Text(commandLine));
    if (!SendMessages())
        return ERROR_INSTALL_USEREXIT;
    const std::string code = CodeOf(Text(path));
    const UINT result =
        Script.Install ? Script.Install(Text(path), Text(commandLine)) : ERROR_SUCCESS;
    if (Done(result) && Script.RegisterOnInstall)
        Script.Registered[code] = Script.ProductVersion;
    return result;
}

UINT WINAPI ProductInfo(LPCSTR code, LPCSTR property, LPSTR value, DWORD* length) {
    Script.Calls.push_back("info " + Text(code) + " " + Text(property));
    const auto found = Script.Registered.find(Text(code));
    return found == Script.Registered.end() ? ERROR_UNKNOWN_PRODUCT
                                            : CopyOut(found->second, value, length);
}

const MsiFunctions ScriptedFunctions = {
    SetInternalUI, EnableLog,  OpenDatabase, OpenView,    Execute,
    Fetch,         GetString,  Close,        QueryState,  Configure,
    Install,       GetInteger, ConfigureEx,  ProductInfo, SetExternalUIRecord,
};

} // namespace

ScriptedMsi::ScriptedMsi() : saved_(Msi) {
    Script = MsiScript();
    AskedForVersion = false;
    OpenedPath.clear();
    handler = nullptr;
    boxOwner = nullptr;
    Msi = ScriptedFunctions;
}

ScriptedMsi::~ScriptedMsi() {
    Msi = saved_;
}
