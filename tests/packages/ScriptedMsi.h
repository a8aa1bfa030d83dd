// A scripted Windows Installer service: records every call the package
// operations make and answers as the test says.
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

// One message of the service to its external user-interface handler: its
// type and integer fields (from field 1), or for an action start its
// description (field 2).
struct ServiceMessage {
    INSTALLMESSAGE Type;
    std::vector<int> Fields;
    std::string Text;
};

struct MsiScript {
    // One text per call:
    //   "ui <level> <owner HWND in hex|no owner>", "log <mode hex> <file> <attributes>",
    //   "open <path> <read-only|other>", "view <database> <query>",
    //   "execute <view> <record>", "fetch <view>",
    //   "get <record> <field> <length> <zeroed|dirty>", "close <handle>",
    //   "state <code>", "configure <code> <level> <state>",
    //   "install <path> | <command line>"
    std::vector<std::string> Calls;

    // Results of the five steps that read the product code.
    UINT OpenResult = ERROR_SUCCESS;
    UINT ViewResult = ERROR_SUCCESS;
    UINT ExecuteResult = ERROR_SUCCESS;
    UINT FetchResult = ERROR_SUCCESS;
    UINT GetResult = ERROR_SUCCESS;
    // The value field 1 holds; a value that does not fit the caller's buffer
    // answers ERROR_MORE_DATA, as the service does.
    std::string ProductCode = "{0D7C4B5E-1111-4222-8333-944455556666}";

    // States by product code; any other product is unknown (absent).
    std::map<std::string, INSTALLSTATE> States;
    // Removal results by product code; any other removal succeeds.
    std::map<std::string, UINT> RemoveResults;
    // Installation result; 0 unless set.
    std::function<UINT(const std::string& path, const std::string& commandLine)> Install;

    // What each install sends through the registered handler (the messages
    // its filter lets through), this long apart, before it returns. An
    // IDCANCEL answer stops the messages and the install returns 1602, as
    // the service does after rolling the package back.
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

// Puts the scripted service, with a fresh script, in place of the real one
// for its lifetime.
class ScriptedMsi {
  public:
    ScriptedMsi();
    ~ScriptedMsi();
    ScriptedMsi(const ScriptedMsi&) = delete;
    ScriptedMsi& operator=(const ScriptedMsi&) = delete;

  private:
    MsiFunctions saved_;
};
