#include "core/report/messages.h"

#include "core/base/escaping.h"
#include "core/base/mod_name.h"
#include "core/base/windows_names.h"
#include "core/game/slots.h"
#include "core/library/config.h"
#include "core/restore/restore_points.h"

namespace modsetup {
namespace {

// Names, one a line, the first kMaxListedItems of them, then how many more.
std::string listedNames(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kMaxListedItems; ++i) text += visibleText(names[i]) + "\n";
    if (names.size() > kMaxListedItems) text += "and " + std::to_string(names.size() - kMaxListedItems) + " more.\n";
    return text;
}

// What makes a restore point unusable, as a report says it.
constexpr const char* kForeignInRestoreFolder =
    "what this program never writes there (a link, a device, a pipe or a file of another name)";

// The sentence, then the system's words for why as a sentence of their own.
std::string withReason(std::string sentence, std::string_view reason) {
    reason = trimmedReason(reason);
    if (!reason.empty()) ((sentence += ' ') += reason) += '.';
    return sentence;
}

}  // namespace

// The system shell's own codes for a document it did not open.
constexpr std::pair<long, std::string_view> kShellRefusals[] = {
    {0, "The system is out of memory or resources"},
    {26, "A sharing violation occurred"},
    {27, "The file name association is incomplete or invalid"},
    {28, "The DDE transaction timed out"},
    {29, "The DDE transaction failed"},
    {30, "The DDE transaction could not be completed because other DDE transactions were being processed"},
    {31, "No program is associated with the document's file name extension"},
    {32, "A library needed to open the document was not found"},
};

std::string failureText(const Failure& failure) {
    switch (failure.cause) {
    case Cause::NotRegular: return "Not a regular file";
    case Cause::Outside: return "It leads outside the set library";
    case Cause::NotStarted:
        return "Wine could not be started as " + quoted(failure.program) + ": " +
               std::string(trimmedReason(failure.systemText)) +
               ". Install Wine, or set the variable WINE to the Wine program to run";
    case Cause::EndedWithStatus:
        return "Wine, run as " + quoted(failure.program) +
               " (the variable WINE chooses another), ended at once with status " + std::to_string(failure.code);
    case Cause::EndedBySignal:
        return "Wine, run as " + quoted(failure.program) +
               " (the variable WINE chooses another), was ended by signal " + std::to_string(failure.code);
    case Cause::ShellRefused:
        for (const auto& [code, text] : kShellRefusals)
            if (code == failure.code) return std::string(text);
        break;
    default: break;
    }
    if (failure.systemText.empty() && failure.code != 0) return "Error " + std::to_string(failure.code);
    return failure.systemText;
}

std::string_view trimmedReason(std::string_view reason) {
    while (!reason.empty()) {
        char last = reason.back();
        if (last != ' ' && last != '\t' && last != '\r' && last != '\n' && last != '.') break;
        reason.remove_suffix(1);
    }
    return reason;
}

std::string reportText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

std::string cannotOpenFileMessage(std::string_view path, std::string_view reason) {
    std::string message = "Cannot open file " + quoted(path) + ". ";
    message += trimmedReason(reason);
    return message;
}

std::string launchScriptNotWrittenMessage(std::string_view script) {
    return "The launch script " + quoted(script) +
           " could not be written in the working directory, so the game was not started.";
}

std::string launchScriptNotOpenedMessage(std::string_view script, std::string_view reason) {
    std::string message =
        "The system did not open the launch script " + quoted(script) + ", so the game was not started.";
    reason = trimmedReason(reason);
    if (!reason.empty()) (message += ' ') += reason;
    return message;
}

std::string backslashFolderMessage(std::string_view folder) {
    return "The program cannot work from the folder " + quoted(folder) +
           ": its path holds a backslash, which the program takes for a separator between folders. "
           "Nothing in it can be read or written. Move the game to a folder whose path holds no backslash.";
}

std::string unsafeModNameMessage(std::string_view configBase, std::string_view modName) {
    const std::string modIni = modIniPath(std::string(configBase));
    const std::string forbidden = std::string(kWindowsForbiddenCharacters) + std::string(kModNameScriptCharacters);
    std::string message =
        "The mod name " + quoted(modName) + " in " + quoted(modIni) + " cannot be used as a folder name.\n";
    message += "A mod name must not be empty, end in a blank or a dot, be longer than " +
               std::to_string(kMaxModNameBytes) +
               " bytes, or be a device name of Windows (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, alone or "
               "before a dot), and must not contain a control character or any of ";
    for (char c : forbidden) {
        message += c;
        message += ' ';
    }
    message.pop_back();
    message += ".\nCorrect the second line of that file, then press Undo to read it again.";
    return message;
}

std::string writeDeniedMessage(std::string_view message) {
    std::string text =
        "The game folder cannot be written, so run the program as administrator or install the game "
        "outside a protected folder.";
    if (!message.empty()) (text += '\n') += message;
    return text;
}

std::string nothingAppliedMessage(std::string_view folder) {
    return backslashFolderMessage(folder) + "\nApply installed and saved nothing.";
}

std::string noModsFolderMessage() {
    return "The working directory has no \"mods\" folder, so the program was not started from the game's folder. "
           "Nothing was installed.";
}

std::string choicesNotSavedMessage(std::string_view selections, std::string_view reason) {
    return withReason("Your choices could not be saved in " + quoted(selections) + ".", reason);
}

std::string restorePointNotKeptMessage(std::string_view restoreFolder, std::string_view reason, bool damaged) {
    std::string text =
        "No restore point could be kept in " + quoted(restoreFolder) + ", so Restore cannot undo this Apply";
    if (damaged) text += std::string(": it holds ") + kForeignInRestoreFolder + ", which is left as it is";
    return withReason(text + ".", reason);
}

std::string originalNotRecordedMessage(std::string_view restoreFolder) {
    return "The original files could not be recorded in " + quoted(restoreFolder) +
           ", so restoring the mod's original files cannot bring back what this Apply changed first.";
}

std::string restoreFailuresMessage(const std::vector<std::string>& failed) {
    return std::to_string(failed.size()) + (failed.size() == 1 ? " file or folder" : " files or folders") +
           " could not be restored:\n" + listedNames(failed) + "Everything else was restored.";
}

std::string noRestorePointMessage() { return "There is nothing to restore in this game folder."; }

std::string restoreFolderDamagedMessage(std::string_view restoreFolder) {
    return "The restore folder " + quoted(restoreFolder) + " holds " + kForeignInRestoreFolder +
           ": a restore point where it stands is not used, and it is left as it is.";
}

std::string restoreLastQuestion(std::size_t files) {
    return "Restore " + std::to_string(files) + (files == 1 ? " file" : " files") + " from before the last Apply?";
}

std::string restoreOriginalQuestion(std::size_t files) {
    return "Restore " + std::to_string(files) +
           (files == 1 ? " file as it was before this program first changed it?"
                       : " files as they were before this program first changed them?");
}

std::string choicesRefusalText(const ChoicesRefusal& refusal) {
    using Kind = ChoicesRefusal::Kind;
    const std::string line = "line " + std::to_string(refusal.line);
    switch (refusal.kind) {
    case Kind::None: break;
    case Kind::Unreadable: {
        const std::string reason(trimmedReason(failureText(refusal.failure)));
        return reason.empty() ? "it cannot be read" : "it cannot be read (" + reason + ")";
    }
    case Kind::TooLarge: return "it is larger than " + std::to_string(kMaxLineFileBytes) + " bytes";
    case Kind::TooManyLines: return "it has more than " + std::to_string(kSlotCount + 1) + " lines";
    case Kind::LineTooLong: return line + " is longer than " + std::to_string(kMaxLineBytes) + " bytes";
    case Kind::NotText: return line + " holds a control character, so it is no text file";
    case Kind::LoneCarriageReturn:
        return line + " holds a carriage return that ends no line, so lines would run together";
    case Kind::ByteOrderMark:
        return "it begins with a byte-order mark, which would become part of the first set's name";
    case Kind::FolderName:
        return line + " is " + quoted(refusal.name) + ", which names a folder of the set library, not a set";
    }
    return {};
}

std::string choicesNotLoadedMessage(std::string_view path, std::string_view refusal) {
    return "The file " + quoted(path) + " does not hold saved choices: " + std::string(refusal) +
           ". The window stays as it was.";
}

std::string slotLabel(std::size_t slot) {
    if (slot == kTeamAlpha) return "team Alpha";
    if (slot == kTeamBravo) return "team Bravo";
    if (slot >= kSecondary1) return "secondary slot " + std::to_string(slot - kSecondary1 + 1);
    return "primary slot " + std::to_string(slot + 1);
}

std::string missingSetLine(std::string_view slot, std::string_view text, std::string_view slotFolder) {
    return std::string(slot) + ": " + quoted(text) + ", looked for in " + quoted(slotFolder);
}

std::string installFailuresMessage(const std::vector<std::string>& missingSets,
                                   const std::vector<std::string>& unwritten, const std::vector<std::string>& inUse,
                                   const std::vector<std::string>& unreadable, const std::vector<std::string>& outside,
                                   const std::vector<std::string>& reasons) {
    std::string text;
    if (!missingSets.empty()) {
        text = std::to_string(missingSets.size()) + (missingSets.size() == 1 ? " list names" : " lists name") +
               " a set that is not in the slot folder, so nothing was installed for " +
               (missingSets.size() == 1 ? "it:\n" : "them:\n");
        for (std::size_t i = 0; i < missingSets.size() && i < kMaxListedItems; ++i) text += missingSets[i] + "\n";
        if (missingSets.size() > kMaxListedItems)
            text += "and " + std::to_string(missingSets.size() - kMaxListedItems) + " more.\n";
    }
    if (!unwritten.empty()) {
        text += std::to_string(unwritten.size()) + (unwritten.size() == 1 ? " file or folder" : " files or folders") +
                " of the game mod folder could not be written:\n" + listedNames(unwritten);
        for (std::size_t i = 0; i < reasons.size(); ++i)
            (text += i == 0 ? "The system said: " : "; ") += trimmedReason(reasons[i]);
        if (!reasons.empty()) text += ".\n";
    }
    if (!inUse.empty()) {
        text += "The file " + quoted(inUse.front());
        if (inUse.size() > 1) text += " and " + std::to_string(inUse.size() - 1) + " more";
        text += inUse.size() > 1 ? " are" : " is";
        text += " in use by another program. Close the game, then apply again.\n";
    }
    if (!unreadable.empty()) {
        text += std::to_string(unreadable.size()) + (unreadable.size() == 1 ? " file" : " files") +
                " of the chosen sets could not be read, so the game mod folder keeps what it had there:\n" +
                listedNames(unreadable);
    }
    if (!outside.empty()) {
        text += std::to_string(outside.size()) +
                (outside.size() == 1 ? " file of the chosen sets leads" : " files of the chosen sets lead") +
                " outside the set library (a link to somewhere else), so Apply did not use " +
                (outside.size() == 1 ? "it:\n" : "them:\n") + listedNames(outside);
    }
    if (!text.empty()) text += "Apply carried out all its other steps.";
    return text;
}

std::string previewFailureMessage(const PreviewFailure& failure) {
    if (!failure.openFailure) return std::string(kBitmapNotValid);
    return cannotOpenFileMessage(failure.path, failureText(*failure.openFailure));
}

std::string playFailureMessage(const PlayOutcome& outcome, std::string_view configBase, std::string_view modName) {
    if (!outcome.unusableFolder.empty()) return backslashFolderMessage(outcome.unusableFolder);
    if (outcome.modNameUnsafe) return unsafeModNameMessage(configBase, modName);
    const std::string script = launchScriptName(modName);
    if (outcome.writeFailure) {
        const std::string message = launchScriptNotWrittenMessage(script);
        return outcome.writeFailure->cause == Cause::AccessDenied ? writeDeniedMessage(message) : message;
    }
    if (outcome.openFailure) return launchScriptNotOpenedMessage(script, failureText(*outcome.openFailure));
    return {};
}

std::string applyFailureMessage(const ApplyOutcome& outcome, const ProcessStrings& strings) {
    if (outcome.succeeded()) return {};
    if (outcome.programFolderUnusable) return nothingAppliedMessage(folderWithBackslash(strings.configBase));
    std::string message;
    if (outcome.modNameUnsafe) {
        message = unsafeModNameMessage(strings.configBase, strings.modName);
    } else if (outcome.modsFolderMissing) {
        message = noModsFolderMessage();
    } else {
        std::vector<std::string> missingSets;
        for (const MissingSet& set : outcome.missingSets)
            missingSets.push_back(
                missingSetLine(slotLabel(set.slot), set.text, slotFolderPath(strings.configBase, set.slot)));
        message = installFailuresMessage(missingSets, outcome.failedPaths, outcome.inUsePaths,
                                         outcome.unreadableSources, outcome.outsideSources, outcome.failureReasons());
    }
    if (!outcome.selectionsSaved) {
        if (!message.empty()) message += "\n";
        message += choicesNotSavedMessage(selectionsPath(strings.configBase), outcome.selectionsReason);
    }
    if (!outcome.restorePointKept) {
        if (!message.empty()) message += "\n";
        message += restorePointNotKeptMessage(restoreFolderPath(strings.configBase), outcome.restorePointReason,
                                              outcome.restoreFolderDamaged);
    }
    if (!outcome.originalRecorded) {
        if (!message.empty()) message += "\n";
        message += originalNotRecordedMessage(restoreFolderPath(strings.configBase));
    }
    return outcome.accessDenied ? writeDeniedMessage(message) : message;
}

}  // namespace modsetup
