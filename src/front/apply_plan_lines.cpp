#include "front/apply_plan_lines.h"

#include "front/messages.h"

namespace modsetup::front {

std::vector<ShownText> applyPlanLines(const ApplyPlan& plan, const SlotTexts& texts, const TextCodec& codec) {
    std::vector<ShownText> lines;
    std::array<std::size_t, kPlanChanges.size()> counts{};
    for (const ApplyFile& file : plan.files) ++counts[static_cast<std::size_t>(file.change)];
    if (plan.programFolderUnusable || plan.modNameUnsafe)
        lines.push_back(fixedText(planNothingText(plan.programFolderUnusable)));
    if (changedFileCount(plan) == 0 && !plan.programFolderUnusable) lines.push_back(fixedText(kPlanMatches));
    else lines.push_back(fixedText(planTotalsText(counts[0], counts[1], counts[2], counts[3])));
    // The slots in the window's order, then the program's own files.
    for (std::size_t group = 0; group <= kOwnFiles; ++group) {
        std::vector<ShownText> groupLines;
        for (const MissingSet& missing : plan.missingSets)
            if (missing.slot == group) groupLines.push_back(U"    " + codec.shown(planMissingSetText(missing.text)));
        // What changes first, then what stays, each in Apply's order.
        for (const bool changes : {true, false}) {
            for (const ApplyFile& file : plan.files) {
                if (file.group != group || (file.change != FileChange::Unchanged) != changes) continue;
                const std::string_view change = kPlanChanges[static_cast<std::size_t>(file.change)];
                groupLines.push_back(U"    " + fixedText(change) + U": " + codec.shown(file.target));
            }
        }
        if (groupLines.empty()) continue;
        lines.emplace_back();
        lines.push_back(group == kOwnFiles ? fixedText(kPlanOwnFiles)
                                           : fixedText(kListNames[group]) + U": " + codec.shown(texts[group]));
        lines.insert(lines.end(), groupLines.begin(), groupLines.end());
    }
    return lines;
}

}  // namespace modsetup::front
