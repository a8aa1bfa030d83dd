// The message texts that several parts of the installer share: row states of
// the installation run and the captions and texts of the wizard's boxes.
#pragma once

namespace MessageTexts {
inline constexpr const char* Installing = "Installing...";
inline constexpr const char* Succeeded = "Succeeded";
inline constexpr const char* Failed = "Failed";
inline constexpr const char* Cancelled = "Cancelled";
inline constexpr const char* Confirm = "Confirm";
inline constexpr const char* Information = "Information";
inline constexpr const char* Error = "Error";
inline constexpr const char* QuitQuestion = "Are you sure you want to quit?";
inline constexpr const char* CancelQuestion = "Do you want to cancel the installation?";
inline constexpr const char* NotEnoughSpace =
    "There is not enough disk space to install the selected components.";
} // namespace MessageTexts
