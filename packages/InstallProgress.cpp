// The service's messages during one package's installation.
#include "InstallProgress.h"

#include "MsiFunctions.h"

#include <algorithm>

namespace {

// Kinds of progress message (field 1).
enum ProgressKind {
    ProgressReset = 0,
    ProgressActionInfo = 1,
    ProgressReport = 2,
    ProgressAdd = 3
};
// Common data (field 1) that says whether Cancel is offered (field 2).
constexpr int CommonDataCancel = 2;
// The page is served at least this often while the handler is called; more often costs time.
constexpr ULONGLONG ServeIntervalMs = 10;

int64_t Field(MSIHANDLE record, UINT field) {
    const int value = Msi.MsiRecordGetInteger(record, field);
    return value == static_cast<int>(MSI_NULL_INTEGER) ? 0 : value;
}

std::string StringField(MSIHANDLE record, UINT field) {
    std::string text(256, '\0');
    DWORD length = static_cast<DWORD>(text.size());
    UINT result = Msi.MsiRecordGetStringA(record, field, text.data(), &length);
    if (result == ERROR_MORE_DATA) {
        text.assign(static_cast<size_t>(length) + 1, '\0');
        length = static_cast<DWORD>(text.size());
        result = Msi.MsiRecordGetStringA(record, field, text.data(), &length);
    }
    if (result != ERROR_SUCCESS)
        return "";
    text.resize(std::min<size_t>(length, text.size()));
    return text;
}

} // namespace

void PackageProgress::Reset(int64_t total, bool backward) {
    Total = std::max<int64_t>(total, 0);
    Forward = !backward;
    Done = Forward ? 0 : Total;
}

void PackageProgress::ActionInfo(int64_t step, bool moveOnActionData) {
    Step = step;
    StepPerActionData = moveOnActionData;
}

void PackageProgress::Report(int64_t ticks) {
    Done += Forward ? ticks : -ticks;
}

void PackageProgress::AddToTotal(int64_t ticks) {
    Total = std::max<int64_t>(Total + ticks, 0);
}

void PackageProgress::ActionData() {
    if (StepPerActionData)
        Report(Step);
}

int PackageProgress::PerMille() const {
    if (Total <= 0)
        return 0;
    return static_cast<int>(std::clamp<int64_t>(Done, 0, Total) * 1000 / Total);
}

ServiceMessages::ServiceMessages(ProgressRows& rows) : rows_(rows) {
    registered_ =
        Msi.MsiSetExternalUIRecord &&
        Msi.MsiSetExternalUIRecord(Handle, ServiceMessageFilter, this, &previous_) == ERROR_SUCCESS;
    rows_.SetPackageProgress(shown_ = 0);
    rows_.SetCurrentAction("");
    rows_.AllowCancel(true);
}

ServiceMessages::~ServiceMessages() {
    rows_.AllowCancel(false);
    // The previous handler's own filter and context are not told back by the
    // service; this program registers no other handler.
    if (registered_)
        Msi.MsiSetExternalUIRecord(previous_, previous_ ? ServiceMessageFilter : 0, nullptr,
                                   nullptr);
}

int WINAPI ServiceMessages::Handle(LPVOID context, UINT type, MSIHANDLE record) {
    // Nothing may travel back through the service's frames.
    try {
        return static_cast<ServiceMessages*>(context)->OnMessage(type, record);
    } catch (...) {
        return 0;
    }
}

int ServiceMessages::OnMessage(UINT type, MSIHANDLE record) {
    const UINT kind = type & 0xFF000000;
    switch (kind) {
    case INSTALLMESSAGE_PROGRESS:
        switch (Field(record, 1)) {
        case ProgressReset:
            progress_.Reset(Field(record, 2), Field(record, 3) != 0);
            break;
        case ProgressActionInfo:
            progress_.ActionInfo(Field(record, 2), Field(record, 3) != 0);
            break;
        case ProgressReport:
            progress_.Report(Field(record, 2));
            break;
        case ProgressAdd:
            progress_.AddToTotal(Field(record, 2));
            break;
        }
        ShowPosition();
        break;
    case INSTALLMESSAGE_ACTIONSTART: {
        const std::string description = StringField(record, 2);
        if (!description.empty())
            rows_.SetCurrentAction(description);
        break;
    }
    case INSTALLMESSAGE_ACTIONDATA:
        progress_.ActionData();
        ShowPosition();
        break;
    case INSTALLMESSAGE_COMMONDATA:
        if (Field(record, 1) == CommonDataCancel)
            rows_.AllowCancel(Field(record, 2) != 0);
        break;
    }
    ServeWindow();
    // IDCANCEL cancels on the messages that carry no buttons; 0 leaves every
    // message to the service's own user interface as well.
    const bool buttonless = kind == INSTALLMESSAGE_PROGRESS || kind == INSTALLMESSAGE_ACTIONDATA ||
                            kind == INSTALLMESSAGE_ACTIONSTART;
    return cancelled_ && buttonless ? IDCANCEL : 0;
}

void ServiceMessages::ShowPosition() {
    const int position = progress_.PerMille();
    if (position != shown_) {
        shown_ = position;
        rows_.SetPackageProgress(position);
    }
}

void ServiceMessages::ServeWindow() {
    const ULONGLONG now = GetTickCount64();
    if (lastServed_ && now - lastServed_ < ServeIntervalMs)
        return;
    lastServed_ = now;
    if (rows_.ServeWaitingMessages())
        cancelled_ = true;
}
