#include "check/report.h"

#include "check/messages.h"

namespace modsetup::check {

void writeReport(std::ostream& out, const ReportHeading& heading, const CheckResult& result, bool quiet) {
    const char* indent = quiet ? "" : "  ";
    auto writeGroup = [&](Group group, std::size_t slot, std::string_view title, bool always) {
        bool headed = !quiet && always;
        if (headed) out << title << '\n';
        for (const Finding& finding : result.findings) {
            if (finding.group != group || (group == Group::SlotFolder && finding.slot != slot)) continue;
            if (!quiet && !headed) {
                out << title << '\n';
                headed = true;
            }
            out << indent << findingLine(finding) << '\n';
        }
    };

    if (!quiet) out << libraryHeading(heading.configBase, heading.selections, heading.selectionsPresent) << '\n';
    writeGroup(Group::ModIni, 0, kModIniHeading, false);
    for (const SlotFolderCount& folder : result.slotFolders)
        writeGroup(Group::SlotFolder, folder.slot, slotFolderHeading(folder.slot, folder.sets), true);
    writeGroup(Group::Selections, 0, kSelectionsHeading, false);
    out << summaryText(result) << '\n';
}

}  // namespace modsetup::check
