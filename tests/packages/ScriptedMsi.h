// A scripted Windows Installer service: records every call and answers as the test says.
#pragma once

#include "MsiFunctions.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// Handles the scripted service hands out.
constexpr MSIHANDLE ScriptedDatabase = 11;
constexpr MSIHANDLE ScriptedView = 12;
constexpr MSIHANDLE ScriptedRecord = 13;
// The record of the service message being handed to the handler.
constexpr MSIHANDLE ScriptedMessageRecord = 14;

// A message to the external user-interface handler: integer fields from field 1, Text field 2.
struct ServiceMessage {
    INSTALLMESSAGE Type;
    std::vector<int> Fields;
    std::string Text;
};

struct MsiScript {
    // One text per call:
    //   "ui <level> <owner <HWND hex>|no owner>", "log <mode hex> <file> <attributes>",
    //   "open <path> <read-only|other>", "view <database> <query>",
    //   "execute <view> <record>", "fetch <view>",
    //   "get <record> <field> <length> <zeroed|dirty>", "close <handle>",
    //   "state <code>", "configure <code> <level> <state>[ | <command line>]",
    //   "install <path> | <command line>", "info <code> <property>"
    std::vector<std::string> Calls;

    // Results of the five steps that read the product code.
    UINT OpenResult = ERROR_SUCCESS;
    UINT ViewResult = ERROR_SUCCESS;
    UINT ExecuteResult = ERROR_SUCCESS;
    UINT FetchResult = ERROR_SUCCESS;
    UINT GetResult = ERROR_SUCCESS;
    // Field 1's value; one that does not fit the buffer gets ERROR_MORE_DATA, as from the service.
    std::string ProductCode = "{0D7C4B5E-1111-4222-8333-944455556666}";
    // Product codes by package path; an unlisted package is added when first read: the first
    // with ProductCode, each other with a code of its own.
    std::map<std::string, std::string> ProductCodes;
    // The ProductVersion every package holds.
    std::string ProductVersion = "1.0.0";
    // Registered versions by product code; a successful install registers at ProductVersion
    // unless RegisterOnInstall is false (Install then says what is registered).
    std::map<std::string, std::string> Registered;
    bool RegisterOnInstall = true;

    // States by product code; any other product is unknown (absent).
    std::map<std::string, INSTALLSTATE> States;
    // Removal results by product code, else success; a success makes it absent and unregistered.
    std::map<std::string, UINT> RemoveResults;
    // Installation result; 0 unless set.
    std::function<UINT(const std::string& path, const std::string& commandLine)> Install;

    // What each install sends the handler (as its filter allows), this long apart, before it
    // returns; IDCANCEL stops them and the install returns 1602, as the service does on rollback.
    std::vector<ServiceMessage> Messages;
    DWORD MessageIntervalMs = 0;
    // The handler's answers, in order, and the handler registrations
    // ("handler <filter hex>", "handler none").
    std::vector<int> Answers;
    std::vector<std::string> Handlers;

    // The calls whose text starts with prefix.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
};

extern MsiScript Script;

// Puts the scripted service, with a fresh script, in place of the real one for its lifetime.
class ScriptedMsi {
  public:
    ScriptedMsi();
    ~ScriptedMsi();
    ScriptedMsi(const ScriptedMsi&) = delete;
    ScriptedMsi& operator=(const ScriptedMsi&) = delete;

  private:
    MsiFunctions saved_;
};
