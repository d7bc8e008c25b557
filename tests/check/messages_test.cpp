// The check's message catalogue, and its report on a terminal: whatever bytes
// a set library's names and lines hold, a finding shows no control character
// as it is, so nothing in a library can move the cursor, set the terminal's
// title, reorder the line or worse.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "check/messages.h"
#include "core/game/slots.h"

namespace modsetup::check {
namespace {

// The finding about a name line that looks like "0", for a line as shown.
std::string likeZero(const std::string& shown) {
    return "line 1 is \"" + shown +
           "\", not \"0\": Apply writes it as the weapon name; only a line of exactly \"0\" stands for the set's name";
}

// The check's catalogue: every sentence and word, as the author reads it,
// one row each.
TEST(CheckMessages, EverySentenceReadsAsWritten) {
    const SetFile both{"\\1.bmp", true, true, true};
    const SetFile shownOnly{"\\1.bmp", true, false, true};
    const SetFile installed{"\\sfx\\a.wav", false, true, false};
    const std::string ticked = "with \"Use Modified Weapons\" ticked, ";
    CheckResult result;
    result.sets = 1;
    result.files = 2;
    result.findings.push_back({Severity::Error, Group::ModIni, 0, "mod.ini", "x"});
    const std::pair<std::string, std::string> rows[] = {
        {slotFolderLabel(kSecondary1), "secondary slot 1"},
        {slotFolderLabel(kTeamAlpha), "team Alpha and team Bravo"},
        {absenceText(Absence::Missing), "missing"},
        {absenceText(Absence::FolderInstead), "a folder, not a file"},
        {absenceText(Absence::FileInstead), "a file, not a folder"},
        {absenceText(Absence::Unlistable), "cannot be listed"},
        {absenceText(Absence::Outside), "a link that leads outside the set library"},
        {absenceText(Absence::Unopenable, "Permission denied.\r\n"), "cannot be opened (Permission denied)"},
        {modIniAbsentText("missing"),
         "missing: the window shows no title, and Apply and Play refuse the empty mod name"},
        {noWindowTitleText(), "line 1, the window title, is empty: the window shows no title"},
        {unsafeModNameText("C:\\m", "a|b"),
         "line 2, the mod name, is refused by Apply and Play with this report: The mod name \"a|b\" in "
         "\"C:\\m\\mod.ini\" cannot be used as a folder name. A mod name must not be empty, end in a blank or a dot, "
         "be longer than 255 bytes, or be a device name of Windows (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, "
         "alone or before a dot), and must not contain a control character or any of \\ / : * ? \" < > | & ^ %. "
         "Correct the second line of that file, then press Undo to read it again."},
        {slotFolderAbsentText("missing", kSecondary3), "missing: no set to choose for secondary slot 3"},
        {slotFolderEmptyText(kTeamAlpha), "holds no set folder: no set to choose for team Alpha and team Bravo"},
        {setNotOfferedText(), "hidden or a system folder: the list does not offer this set"},
        {setNameNotStorableText(),
         "the name holds a line break or another control character, which the selections file cannot store and "
         "Windows cannot hold: the list does not offer this set"},
        {setNameNotChoosableText(),
         "the name holds characters this system's code page cannot write, so the set cannot be chosen on this "
         "system: the list does not offer it"},
        {setsDifferInCaseText({"gold", "GOLD"}),
         "differs from the sets \"gold\" and \"GOLD\" only in letter case: the program finds set names without "
         "regard to letter case and may read one set for the other"},
        {setNameNotForWindowsText({WindowsNameProblem::EndsInDot}),
         "cannot be used on Windows: its name ends in a dot, so a copy of the library there loses or refuses this "
         "set"},
        {setFolderOutsideText(),
         "a link that leads outside the set library: the program reads none of the set's files"},
        {setFileAbsentText("missing", both),
         "missing: the window reports an error when the set is chosen, and Apply skips it and the game keeps its "
         "own"},
        {setFileAbsentText("missing", shownOnly), "missing: the window reports an error when the set is chosen"},
        {setFileAbsentText("missing", installed), "missing: Apply skips it and the game keeps its own"},
        {setFolderAbsentText("missing", 1, false, {}), "missing; the set should keep 1 file there: Apply skips it"},
        {setFolderAbsentText("missing", 3, true, {"Sfx2", "old"}),
         "missing; the set should keep 3 files there: the window reports an error when the set is chosen, and "
         "Apply skips them; the set has folders \"Sfx2\" and \"old\" that nothing reads"},
        {pictureUnreadableText(BitmapFault::HeaderCutShort, both),
         "not a bitmap the program can read (header cut short): the window reports \"Bitmap image is not valid\" "
         "when the set is chosen, and Apply installs it as it is"},
        {pictureUnreadableText(BitmapFault::NoSize, installed),
         "not a bitmap the program can read (no width or no height): Apply installs it as it is"},
        {bitmapFaultText(BitmapFault::NotABitmap), "not a bitmap file"},
        {bitmapFaultText(BitmapFault::MasksCutShort), "colour masks cut short"},
        {bitmapFaultText(BitmapFault::UnknownHeader), "unknown header version"},
        {bitmapFaultText(BitmapFault::TooManyPixels), "more pixels than any picture of a set"},
        {bitmapFaultText(BitmapFault::PixelDataOutside), "pixel data outside the file"},
        {bitmapFaultText(BitmapFault::UnsupportedBits), "unsupported number of bits per pixel"},
        {bitmapFaultText(BitmapFault::UnsupportedPixels), "unsupported kind of pixel data"},
        {bitmapFaultText(BitmapFault::PixelDataCutShort), "pixel data cut short"},
        {bitmapFaultText(BitmapFault::RunLengthCutShort), "run-length data cut short"},
        {setFileOutsideText(both),
         "a link that leads outside the set library, which the program never reads: the window reports an error "
         "when the set is chosen, and Apply reports it and does not copy it"},
        {leftoverFileText("ak74-fire.wav"),
         "a temporary file that a write of \"ak74-fire.wav\" left when it was cut short: nothing reads it; delete "
         "it before you ship the library"},
        {nameFileAbsentText("missing", kPrimary1),
         "missing: " + ticked + "Apply writes an empty weapon name for primary slot 1"},
        {nameLineEmptyText(kSecondary4),
         "line 1 is empty: " + ticked + "Apply writes an empty weapon name for secondary slot 4"},
        {nameLineLikeZeroText("0 "), likeZero("0 ")},
        {statsFileAbsentText("missing", kPrimary2),
         "missing: " + ticked + "Apply writes [HK MP5] into weapons.ini with nine empty values"},
        {statsValuesMissingText({1, 8}), "no value on line 2 (FireInterval) and line 9 (MovementAcc): " + ticked +
                                             "Apply writes these keys into weapons.ini without a value"},
        {statsValuesNotNumbersText({0, 2}, {"+5", "1e3"}),
         "not a number: line 1 (Damage) \"+5\" and line 3 (Ammo) \"1e3\": Apply writes them into weapons.ini as "
         "they are"},
        {refusalText({Refusal::NotFileOrFolder, "a", {}}), "a link, a device or a pipe, not a file or a folder"},
        {refusalText({Refusal::NameUndecodable, "a", {}}), "its name is no text in the archive's encoding"},
        {refusalText({Refusal::NameAbsolute, "a", {}}), "an absolute name, which would lie outside the set library"},
        {refusalText({Refusal::NameParentStep, "a", {}}),
         "its name climbs up with \"..\" and would lie outside the set library"},
        {refusalText({Refusal::NameDrive, "a", {}}),
         "its name names a drive or a device path, which would lie outside the set library"},
        {refusalText({Refusal::NameControl, "a", {}}), "its name holds a control character"},
        {refusalText({Refusal::NameForbidden, "a", "|"}), "its name holds the character \"|\", which Windows refuses"},
        {refusalText({Refusal::NameTrailing, "a", "Gold."}),
         "the part \"Gold.\" ends in a dot or a blank, which Windows drops"},
        {refusalText({Refusal::NameDevice, "a", "aux.bmp"}), "the part \"aux.bmp\" is the name of a device of Windows"},
        {refusalText({Refusal::NamePartTooLong, "a", "x"}), "the part \"x\" is longer than 255 bytes"},
        {refusalText({Refusal::NameNotInCodePage, "a", "\\u{263A}"}),
         "the system's code page cannot write the part \"\\u{263A}\""},
        {refusalText({Refusal::SameName, "a", "GOLD"}),
         "the same file as \"GOLD\" once letter case is ignored, as Windows does"},
        {refusalText({Refusal::Encrypted, "a", {}}), "encrypted: extract it with your archiver first"},
        {refusalText({Refusal::Deflate64, "a", {}}),
         "packed with Deflate64, which the program cannot unpack: extract the archive with your archiver and pack "
         "it again as a zip with the usual method (Deflate) or as a 7z archive"},
        {refusalText({Refusal::UnknownMethod, "a", {}, 93}),
         "packed with a method the program cannot unpack (zip method 93)"},
        {refusalText({Refusal::NestedArchive, "a", {}}),
         "an archive inside the archive, left unopened: add its sets from it on its own"},
        {refusalText({Refusal::Executable, "a", {}}), "a program or a script, which no set holds"},
        {refusalText({Refusal::Unused, "a", {}}), "a file no set uses"},
        {refusalText({Refusal::Undecodable, "a", {}}),
         "cannot be unpacked: damaged, or packed in a way the program cannot read"},
        {refusalText({Refusal::TooManyEntries, {}, {}, 10000}), "holds more than 10000 entries"},
        {refusalText({Refusal::TooLarge, {}, {}, 1u << 30}), "unpacks to more than 1 GiB"},
        {refusalText({Refusal::TooCompressed, {}, {}, 100}), "unpacks to more than 100 times its own size"},
        {refusalText({Refusal::Damaged, {}, {}}), "damaged: it cannot be read whole"},
        {refusalText({Refusal::NamesDisagree, "a", {}}),
         "the zip's directory and the entry's own header name different files"},
        {refusalText({Refusal::Overlapping, "a", {}}), "shares its bytes with another entry"},
        {refusalText({Refusal::NoLayout, {}, {}}), "holds no set in any layout the program knows"},
        {refusalLine({Refusal::Unused, "Gold/readme.txt", {}}, "pack.zip"),
         "error: Gold/readme.txt: a file no set uses: nothing in the archive is added"},
        {refusalLine({Refusal::Damaged, {}, {}}, "pack.zip"),
         "error: pack.zip: damaged: it cannot be read whole: nothing in the archive is added"},
        {archiveHeading("pack.zip", ArchiveLayout::Library, {}),
         "Checking the archive \"pack.zip\": the slot folders of a set library"},
        {archiveHeading("pack.zip", ArchiveLayout::None, {"docs/", "readme.txt"}),
         "Checking the archive \"pack.zip\": no set in any layout the program knows; it holds \"docs/\" and "
         "\"readme.txt\""},
        {plannedSetHeading({"Gold", "pack/1/Gold", {{kPrimary1, true, "Gold (2)"}}, true, 300, {{}, {}}}),
         "Set \"Gold\" from \"pack/1/Gold\" for primary slot 1: 2 files, 300 bytes; primary slot 1 has a set of "
         "that name already: Replace, Keep both (as \"Gold (2)\") or Skip"},
        {plannedSetHeading({"Blade", "Blade", {{kSecondary2, false, ""}, {kSecondary3, false, ""}}, false, 1, {{}}}),
         "Set \"Blade\" from \"Blade\", which fits secondary slot 2 and secondary slot 3 (the window asks which; "
         "checked as secondary slot 2): 1 file, 1 byte"},
        {notInstalledLine("modsetup/mod.ini"),
         "  modsetup/mod.ini: the set library's own file: never installed from an archive"},
        {archiveUnreadableText("a.zip", ArchiveFault::NotAnArchive, {}),
         "modsetup-check: \"a.zip\" is no archive the program reads (a zip or a 7z archive)"},
        {archiveUnreadableText("a.zip", ArchiveFault::Unopenable, "Permission denied"),
         "modsetup-check: cannot open \"a.zip\" (Permission denied)"},
        {staleSelectionText("Gone", kPrimary3),
         "names the set \"Gone\" of primary slot 3, which is not in the slot folder \"3\": the window reports an "
         "error at start"},
        {severityWord(Severity::Warning), "warning"},
        {slotFolderHeading(kTeamAlpha, 1), "Slot folder gostek (team Alpha and team Bravo): 1 set"},
        {slotFolderHeading(kPrimary1, 3), "Slot folder 1 (primary slot 1): 3 sets"},
        {summaryText(result), "1 set and 2 files checked: 1 error, 0 warnings"},
        {libraryHeading("C:\\m", "C:\\m.ini", false),
         "Checking the set library \"C:\\m\"\n  (no selections file \"C:\\m.ini\")"},
        {progressText(3, 45), "Checking set 3 of 45"},
        {noSuchPathText("x"), "modsetup-check: there is no file or folder \"x\""},
        {noProgramFileText("modsetup.exe"),
         "modsetup-check: there is no modsetup.exe in the working directory: give the program file or the set "
         "library folder to check (modsetup-check --help)"},
        {noLibraryBesideText("C:\\m.exe", "C:\\m"),
         "modsetup-check: there is no set library beside the program file \"C:\\m.exe\": the folder \"C:\\m\" is "
         "missing"},
        {notALibraryText("C:\\x"),
         "modsetup-check: \"C:\\x\" is not a set library: it holds neither mod.ini nor any of the slot folders 1, 2, "
         "3, 4, 5, 6, 7, 8, 9, 0, socom, knife, chain, law and gostek"},
        {badArgumentText("--x"), "modsetup-check: unexpected argument \"--x\" (modsetup-check --help)"},
    };
    for (const auto& [actual, expected] : rows) EXPECT_EQ(actual, expected);
}

// Every byte value, alone and after the UTF-8 lead byte 0xC2 (U+0080 to
// U+00BF for the bytes 0x80 to 0xBF), in the place a finding names and in a
// line it quotes. A lone byte is 8-bit text; UTF-8 is shown as UTF-8.
TEST(ReportText, EveryByteValueReachesTheTerminalSafely) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        char escaped[16];
        const bool control = byte < 0x20 || (byte >= 0x7F && byte <= 0x9F);
        for (const bool utf8 : {false, true}) {
            if (utf8 && (byte < 0x80 || byte > 0xBF)) continue;
            std::snprintf(escaped, sizeof escaped, utf8 ? "\\u{%02X}" : "\\x%02X", byte);
            const std::string raw = std::string(utf8 ? "\xC2" : "") + static_cast<char>(byte);
            const std::string name = "A" + raw + "Z";
            const std::string shown = std::string("A") + (control ? escaped : raw) + "Z";
            const Finding finding{Severity::Warning, Group::SlotFolder, 0, "1/" + name, nameLineLikeZeroText(name)};
            EXPECT_EQ(findingLine(finding), "warning: 1/" + shown + ": " + likeZero(shown)) << byte;
        }
    }
    // A longer sequence holding a byte of the C1 range is no control: the euro sign.
    EXPECT_EQ(findingLine({Severity::Error, Group::ModIni, 0, "\xE2\x82\xAC", "x"}), "error: \xE2\x82\xAC: x");

    // The direction controls, which would make a terminal show the rest of
    // the line in another order, and their neighbours, which stay.
    const std::pair<const char*, const char*> directions[] = {
        {"\xE2\x80\xA9", "\xE2\x80\xA9"},  // U+2029, paragraph separator
        {"\xE2\x80\xAA", "\\u{202A}"},     // left-to-right embedding
        {"\xE2\x80\xAE", "\\u{202E}"},     // right-to-left override
        {"\xE2\x80\xAF", "\xE2\x80\xAF"},  // U+202F, narrow no-break space
        {"\xE2\x81\xA5", "\xE2\x81\xA5"},  // U+2065, unassigned
        {"\xE2\x81\xA6", "\\u{2066}"},     // left-to-right isolate
        {"\xE2\x81\xA9", "\\u{2069}"},     // pop directional isolate
        {"\xE2\x81\xAA", "\xE2\x81\xAA"},  // U+206A, inhibit symmetric swapping
    };
    for (const auto& [raw, shown] : directions) {
        const std::string name = std::string("A") + raw + "Z";
        const Finding finding{Severity::Warning, Group::SlotFolder, 0, "1/" + name, nameLineLikeZeroText(name)};
        EXPECT_EQ(findingLine(finding),
                  std::string("warning: 1/A") + shown + "Z: " + likeZero(std::string("A") + shown + "Z"))
            << shown;
    }
}

}  // namespace
}  // namespace modsetup::check
