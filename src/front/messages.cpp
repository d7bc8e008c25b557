#include "front/messages.h"

#include "check/messages.h"
#include "core/base/escaping.h"
#include "core/report/messages.h"

namespace modsetup::front {
namespace {

std::string counted(std::uint64_t count, std::string_view thing) {
    return std::to_string(count) + " " + std::string(thing) + (count == 1 ? "" : "s");
}

// The archive by its file name: the dialog and the progress windows are
// about what is in it, not where it lies.
std::string fileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return quoted(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// " (<the system's words>)", or nothing where it gave none.
std::string because(const Failure& failure) {
    const std::string text = failureText(failure);
    const std::string_view reason = trimmedReason(text);
    return reason.empty() ? std::string() : " (" + std::string(reason) + ")";
}

}  // namespace

std::string tooltipKeyHintText(std::string_view tooltipKey) {
    return "Press " + std::string(tooltipKey) + " in the list to show this";
}

std::string menuHintText(std::string_view menuKey) {
    return "Right-click here, or press " + std::string(menuKey) +
           " or the menu key, to see what Apply will change, to restore the files from before an Apply, to "
           "save, load, copy or paste choices, or to add sets from an archive";
}

std::string hearShotText(std::string_view shotKey) {
    return "Click a picture or press " + std::string(shotKey) + " in the list to hear its shot";
}

std::string planTotalsText(std::size_t added, std::size_t replaced, std::size_t removed, std::size_t unchanged) {
    return "Apply will add " + std::to_string(added) + ", replace " + std::to_string(replaced) + " and remove " +
           std::to_string(removed) + " files; " + std::to_string(unchanged) + " stay as they are.";
}

std::string planMissingSetText(std::string_view set) {
    return quoted(set) + " is not in the set library: nothing is installed from it.";
}

std::string planNothingText(bool programFolderUnusable) {
    return programFolderUnusable ? "Apply would install and save nothing: the program's folder cannot be used."
                                 : "Apply would write nothing below \"mods\": the mod name cannot be used.";
}

std::string clipboardNotChoicesMessage(std::string_view refusal) {
    return "The clipboard does not hold choices: " + std::string(refusal) + ". The window stays as it was.";
}

std::string keepBothAction(std::string_view newName) { return "Keep both: add it as " + quoted(newName); }

std::string readingArchiveText(std::string_view archive) { return "Reading " + fileName(archive); }

std::string addingSetsText(std::string_view archive) { return "Adding the sets of " + fileName(archive); }

std::string importHeadingText(std::string_view archive, ArchiveLayout layout, std::size_t sets,
                              const std::vector<std::string>& notInstalled) {
    std::string text = fileName(archive) + " holds ";
    switch (layout) {
    case ArchiveLayout::Library: text += "the slot folders of a set library, with "; break;
    case ArchiveLayout::SingleSet:
    case ArchiveLayout::SeveralSets:
    case ArchiveLayout::None: break;
    }
    text += counted(sets, "set") + ". Choose what to do with each, then Add.";
    for (const std::string& entry : notInstalled)
        text.append("\n").append(quoted(entry)).append(" is the set library's own file: it is not installed.");
    return text;
}

std::string importSlotText(std::size_t slot) {
    std::string text = check::slotFolderLabel(slot);
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string setContentsText(std::size_t files, std::uint64_t bytes) {
    constexpr std::uint64_t kKiB = 1024;
    std::string size;
    if (bytes < kKiB) size = counted(bytes, "byte");
    else if (bytes < kKiB * kKiB) size = std::to_string((bytes + kKiB - 1) / kKiB) + " KB";
    else {
        const std::uint64_t tenths = (bytes * 10 + kKiB * kKiB / 2) / (kKiB * kKiB);
        size = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " MB";
    }
    return counted(files, "file") + ", " + size;
}

std::string findingsSummaryText(std::size_t errors, std::size_t warnings) {
    if (errors == 0 && warnings == 0) return std::string(kNoFindings);
    if (errors == 0) return counted(warnings, "warning");
    if (warnings == 0) return counted(errors, "error");
    return counted(errors, "error") + ", " + counted(warnings, "warning");
}

std::string archiveUnreadableMessage(std::string_view archive, ArchiveFault fault, std::string_view reason) {
    if (fault == ArchiveFault::Unopenable)
        return "Cannot open " + quoted(archive) + " (" + std::string(trimmedReason(reason)) + "). Nothing was added.";
    return quoted(archive) + " is no archive the program reads (a zip or a 7z archive). Nothing was added.";
}

std::string archiveRefusedMessage(std::string_view archive, const ImportPlan& plan) {
    std::string message = "Nothing can be added from " + quoted(archive) + ":";
    for (std::size_t i = 0; i < plan.refusals.size() && i < kMaxRefusalsShown; ++i) {
        const ImportRefusal& refusal = plan.refusals[i];
        if (refusal.cause == Refusal::NoLayout) {
            std::string line = "it holds no set in any layout the program knows";
            for (std::size_t f = 0; f < plan.found.size(); ++f)
                line += (f == 0 ? "; at its top: " : ", ") + quoted(plan.found[f]);
            message.append("\n").append(line);
        } else {
            message.append("\n");
            if (!refusal.entry.empty()) message.append(quoted(refusal.entry)).append(": ");
            message.append(check::refusalText(refusal));
        }
    }
    if (plan.refusals.size() > kMaxRefusalsShown)
        message += "\nand " + std::to_string(plan.refusals.size() - kMaxRefusalsShown) + " more refused";
    return message;
}

std::string importFailedMessage(std::string_view archive, const ImportOutcome& outcome) {
    const std::string nothing = " Nothing was added; the set library is as it was.";
    switch (outcome.failedAt) {
    case ImportStep::Decisions:
    case ImportStep::Cancelled: break;
    case ImportStep::Read:
        if (outcome.changed) return quoted(archive) + " changed since it was read." + nothing;
        if (!outcome.refusals.empty())
            return quoted(archive) + " changed since it was read: " +
                   (outcome.refusals.front().entry.empty() ? std::string()
                                                           : quoted(outcome.refusals.front().entry) + ": ") +
                   check::refusalText(outcome.refusals.front()) + "." + nothing;
        return quoted(archive) + " could not be read" + because(outcome.failure) + "." + nothing;
    case ImportStep::Write: return "Cannot write " + quoted(outcome.path) + because(outcome.failure) + "." + nothing;
    case ImportStep::Place:
        return "Cannot move " + quoted(outcome.path) + " into place" + because(outcome.failure) + "." + nothing;
    }
    return "Nothing was added from " + quoted(archive) + ".";
}

std::string replacedSetKeptMessage(const KeptSet& kept) {
    return "The set " + quoted(kept.name) + " of " + check::slotFolderLabel(kept.slot) +
           " was replaced, but the trash did not take the old one" + because(kept.failure) + ": it stays there as " +
           quoted(kept.keptAs) + ".";
}

}  // namespace modsetup::front
