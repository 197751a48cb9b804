// Help for the filter's dialogs, shown by the system's HTML Help viewer.
#include "OrvLib/platform/HtmlHelp.h"
#include "OrvLib/platform/PathNames.h"
#include "OrvLib/platform/Platform.h"
#include "OrvLib/plugin/OrvPSFilter.h"

std::string HelpFileFor(const std::string& moduleFileName) {
    if (moduleFileName.empty()) return {};
    return OrvPath::WithoutExtension(moduleFileName) + ".chm";
}

std::string OrvPSFilter::GetHelpFilePath() { return HelpFileFor(OrvPlatform::ModuleFileName()); }

void OrvPSFilter::ShowHelp(const std::string& topic) {
    const std::string file = GetHelpFilePath();
    if (!file.empty()) OrvPlatform::HtmlHelp(0, file + topic, OrvPlatform::kHelpDisplayTopic, 0);
}

void OrvPSFilter::ShowControlHelp(intptr_t window, const std::string& topicFile, const uint32_t* idTable) {
    const std::string file = GetHelpFilePath();
    if (!file.empty()) {
        OrvPlatform::HtmlHelp(window, file + topicFile, OrvPlatform::kHelpWmHelp,
                              reinterpret_cast<uintptr_t>(idTable));
    }
}

bool OrvPSFilter::ShowWhatsThisMenu(intptr_t dialog, const std::string& topicFile, const uint32_t* idTable,
                                    OrvPoint point) {
    if (!contextHelp) return false;
    intptr_t chosen = 0;
    if (!OrvPlatform::TrackWhatsThisMenu(dialog, idTable, point.x, point.y, chosen)) return false;
    const std::string file = GetHelpFilePath();
    if (chosen != 0 && !file.empty()) {
        OrvPlatform::HtmlHelp(chosen, file + topicFile, OrvPlatform::kHelpContextMenu,
                              reinterpret_cast<uintptr_t>(idTable));
    }
    return true;
}
