// The service's messages while it installs one package, turned into a position within it, the
// current action and whether Cancel is allowed. The handler also keeps the page alive and
// answers a confirmed Cancel.
#pragma once

#include "ProgressRows.h"

#include <msi.h>

#include <cstdint>

// The service's documented progress protocol for one package: a reset starts a run of ticks
// (forward from 0, or backward from the total in a rollback); reports move by ticks; additions
// grow the total; an action may ask that each of its action-data messages move a fixed step.
struct PackageProgress {
    int64_t Total = 0;
    int64_t Done = 0;
    bool Forward = true;
    bool StepPerActionData = false;
    int64_t Step = 0;

    void Reset(int64_t total, bool backward);
    void ActionInfo(int64_t step, bool moveOnActionData);
    void Report(int64_t ticks);
    void AddToTotal(int64_t ticks);
    void ActionData();
    // 0 to 1000; 0 while the total is unknown.
    int PerMille() const;
};

// The messages the handler asks for.
constexpr DWORD ServiceMessageFilter = INSTALLLOGMODE_PROGRESS | INSTALLLOGMODE_ACTIONSTART |
                                       INSTALLLOGMODE_ACTIONDATA | INSTALLLOGMODE_COMMONDATA;

// Registers the handler for one package on this thread; restores the previous one when it goes.
// Every message updates the page and serves its waiting window messages; after a confirmed
// Cancel the handler answers IDCANCEL and the service rolls the package back.
class ServiceMessages {
  public:
    explicit ServiceMessages(ProgressRows& rows);
    ~ServiceMessages();
    ServiceMessages(const ServiceMessages&) = delete;
    ServiceMessages& operator=(const ServiceMessages&) = delete;

    // True once the user has confirmed Cancel during this package.
    bool CancelConfirmed() const { return cancelled_; }

  private:
    static int WINAPI Handle(LPVOID context, UINT type, MSIHANDLE record);
    int OnMessage(UINT type, MSIHANDLE record);
    void ShowPosition();
    void ServeWindow();

    ProgressRows& rows_;
    PackageProgress progress_;
    int shown_ = -1;
    bool cancelled_ = false;
    ULONGLONG lastServed_ = 0;
    INSTALLUI_HANDLER_RECORD previous_ = nullptr;
    bool registered_ = false;
};
