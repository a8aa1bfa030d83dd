// Settings repeated within a section.
#include "RepeatedSettings.h"

void CheckRepeatedSettings(const WrittenSection& section, Findings& findings) {
    for (size_t j = 0; j < section.Settings.size(); ++j) {
        const WrittenSetting& again = section.Settings[j];
        const WrittenSetting* first = FindSetting(section, again.Name);
        if (first == &again)
            continue;
        findings.push_back({section.Name, first->Name, Severity::Error,
                            "line " + std::to_string(again.Line) + " sets it again after line " +
                                std::to_string(first->Line),
                            "reads only line " + std::to_string(first->Line) + "'s value \"" +
                                first->Value + "\" and ignores \"" + again.Value + "\""});
    }
}
