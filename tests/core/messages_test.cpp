// The catalogue of core's reports: every sentence it forms, as the user
// reads it, one row each.
#include <gtest/gtest.h>

#include <functional>

#include "core/base/mod_name.h"
#include "core/report/messages.h"

namespace modsetup {
namespace {

TEST(Messages, EverySentenceReadsAsWritten) {
    const std::pair<std::string, std::string> rows[] = {
        {failureText({Cause::NotRegular, "ignored"}), "Not a regular file"},
        {failureText({Cause::Outside, "ignored"}), "It leads outside the set library"},
        {failureText({Cause::Missing, "No such file or directory"}), "No such file or directory"},
        {previewFailureMessage(
             {"C:\\a\\1.bmp", Failure{Cause::Missing, "The system cannot find the file specified.\r\n"}}),
         "Cannot open file \"C:\\a\\1.bmp\". The system cannot find the file specified"},
        {previewFailureMessage({"C:\\a\\1.bmp", std::nullopt}), "Bitmap image is not valid"},
        {cannotOpenFileMessage("p", "reason... \n . "), "Cannot open file \"p\". reason"},
        {launchScriptNotWrittenMessage("Desert.bat"),
         "The launch script \"Desert.bat\" could not be written in the working directory, so the game was not "
         "started."},
        {launchScriptNotOpenedMessage("Desert.bat", "No program is associated.\r\n"),
         "The system did not open the launch script \"Desert.bat\", so the game was not started. No program is "
         "associated"},
        {launchScriptNotOpenedMessage("Desert.bat", ""),
         "The system did not open the launch script \"Desert.bat\", so the game was not started."},
        {backslashFolderMessage("/home/ga\\me"),
         "The program cannot work from the folder \"/home/ga\\me\": its path holds a backslash, which the program "
         "takes for a separator between folders. Nothing in it can be read or written. Move the game to a folder "
         "whose path holds no backslash."},
        {unsafeModNameMessage("C:\\Games\\modsetup", "a\tb"),
         "The mod name \"a\\x09b\" in \"C:\\Games\\modsetup\\mod.ini\" cannot be used as a folder name.\n"
         "A mod name must not be empty, end in a blank or a dot, be longer than 255 bytes, or be a device name of "
         "Windows (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, alone or before a dot), and must not contain a "
         "control character or any of \\ / : * ? \" < > | & ^ %.\n"
         "Correct the second line of that file, then press Undo to read it again."},
        {failureText({Cause::NotStarted, "No such file or directory", 2, "wine"}),
         "Wine could not be started as \"wine\": No such file or directory. Install Wine, or set the variable WINE "
         "to the Wine program to run"},
        {failureText({Cause::EndedWithStatus, "", 3, "/opt/wine"}),
         "Wine, run as \"/opt/wine\" (the variable WINE chooses another), ended at once with status 3"},
        {failureText({Cause::EndedBySignal, "", 15, "wine"}),
         "Wine, run as \"wine\" (the variable WINE chooses another), was ended by signal 15"},
        {failureText({Cause::ShellRefused, "", 31, ""}),
         "No program is associated with the document's file name extension"},
        {failureText({Cause::Failed, "", 1234, ""}), "Error 1234"},
        {writeDeniedMessage("Then this."),
         "The game folder cannot be written, so run the program as administrator or install the game outside a "
         "protected folder.\nThen this."},
        {nothingAppliedMessage("/g\\m"),
         "The program cannot work from the folder \"/g\\m\": its path holds a backslash, which the program takes "
         "for a separator between folders. Nothing in it can be read or written. Move the game to a folder whose "
         "path holds no backslash.\nApply installed and saved nothing."},
        {noModsFolderMessage(),
         "The working directory has no \"mods\" folder, so the program was not started from the game's folder. "
         "Nothing was installed."},
        {choicesNotSavedMessage("C:\\Games\\modsetup.ini"),
         "Your choices could not be saved in \"C:\\Games\\modsetup.ini\"."},
        {missingSetLine("primary slot 3", "Nowhere", "C:\\m\\3"),
         "primary slot 3: \"Nowhere\", looked for in \"C:\\m\\3\""},
        {installFailuresMessage({"primary slot 3: \"Nowhere\", looked for in \"C:\\m\\3\""},
                                {"mods\\D\\a", "mods\\D\\b"}, {"mods\\D\\a", "mods\\D\\b"}, {"C:\\m\\1\\G\\x.wav"},
                                {"C:\\m\\2\\G\\y.bmp"}),
         "1 list names a set that is not in the slot folder, so nothing was installed for it:\n"
         "primary slot 3: \"Nowhere\", looked for in \"C:\\m\\3\"\n"
         "2 files or folders of the game mod folder could not be written:\nmods\\D\\a\nmods\\D\\b\n"
         "The file \"mods\\D\\a\" and 1 more are in use by another program. Close the game, then apply again.\n"
         "1 file of the chosen sets could not be read, so the game mod folder keeps what it had there:\n"
         "C:\\m\\1\\G\\x.wav\n"
         "1 file of the chosen sets leads outside the set library (a link to somewhere else), so Apply did not use "
         "it:\nC:\\m\\2\\G\\y.bmp\n"
         "Apply carried out all its other steps."},
        {installFailuresMessage({}, {"1", "2", "3", "4", "5", "6", "7"}, {}, {}, {},
                                {"No space left on device", "File too large."}),
         "7 files or folders of the game mod folder could not be written:\n1\n2\n3\n4\n5\nand 2 more.\n"
         "The system said: No space left on device; File too large.\nApply carried out all its other steps."},
        {choicesNotSavedMessage("/g/c.ini", "There is not enough space on the disk.\r\n"),
         "Your choices could not be saved in \"/g/c.ini\". There is not enough space on the disk."},
        {restorePointNotKeptMessage("C:\\m.restore"),
         "No restore point could be kept in \"C:\\m.restore\", so Restore cannot undo this Apply."},
        {restorePointNotKeptMessage("C:\\m.restore", "", true),
         "No restore point could be kept in \"C:\\m.restore\", so Restore cannot undo this Apply: it holds what this "
         "program never writes there (a link, a device, a pipe or a file of another name), which is left as it is."},
        {originalNotRecordedMessage("C:\\m.restore"),
         "The original files could not be recorded in \"C:\\m.restore\", so restoring the mod's original files cannot "
         "bring back what this Apply changed first."},
        {restoreOriginalQuestion(1), "Restore 1 file as it was before this program first changed it?"},
        {restoreFailuresMessage({"mods\\D\\a.bmp"}),
         "1 file or folder could not be restored:\nmods\\D\\a.bmp\nEverything else was restored."},
        {noRestorePointMessage(), "There is nothing to restore in this game folder."},
        {choicesRefusalText({ChoicesRefusal::Kind::Unreadable, 0, {}, {Cause::Unreadable, "Permission denied.\n"}}),
         "it cannot be read (Permission denied)"},
        {choicesRefusalText({ChoicesRefusal::Kind::Unreadable, 0, {}, {Cause::Unreadable}}), "it cannot be read"},
        {choicesNotLoadedMessage("C:\\c.ini", "it has more than 17 lines"),
         "The file \"C:\\c.ini\" does not hold saved choices: it has more than 17 lines. The window stays as it was."},
    };
    for (const auto& [actual, expected] : rows) EXPECT_EQ(actual, expected);
}

// The report ends each message in one full stop: one is added after a
// character that sorts after ".", never after a blank, a quote or a full stop.
TEST(Messages, TheReportEndsEachMessageInOneFullStop) {
    const std::pair<std::string, std::string> rows[] = {
        {"Bitmap image is not valid", "Bitmap image is not valid."},
        {"ends in a dot.", "ends in a dot."},
        {"ends in a quote\"", "ends in a quote\""},  // '"' sorts before '.'
        {"ends in a blank ", "ends in a blank "},
        {"ends in a digit 7", "ends in a digit 7."},
        {"slash/", "slash/."},
        {"8-bit \xE9", "8-bit \xE9."},
        {"", ""},
    };
    for (const auto& [message, shown] : rows) EXPECT_EQ(reportText(message), shown);
}

}  // namespace
}  // namespace modsetup
