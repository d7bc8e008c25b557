// The demo set library: a generated library must hold, for every set, every
// file the program previews, reads and installs, in forms the program and the
// game accept. Runs without a GUI application: the generator needs none.

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "check/library_check.h"
#include "check/messages.h"
#include "core/formats/picture.h"
#include "core/game/slots.h"
#include "core/game/soldier_files.h"
#include "core/game/weapon_copies.h"
#include "core/io/host.h"
#include "core/io/line_file.h"
#include "core/library/config.h"
#include "core/library/previews.h"
#include "demo_library/demo_library.h"

namespace fs = std::filesystem;
using namespace modsetup;
using demo::DemoOptions;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<fs::path> filesWithExtension(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::set<std::string> subFolders(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_directory()) names.insert(entry.path().filename().string());
    }
    return names;
}

std::size_t regularFiles(const fs::path& folder) {
    return static_cast<std::size_t>(std::count_if(fs::directory_iterator(folder), fs::directory_iterator(),
                                                  [](const auto& entry) { return entry.is_regular_file(); }));
}

}  // namespace

class DemoLibraryTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir scratch_;
    fs::path library_;
    DemoOptions options_;
    std::unique_ptr<Host> host_ = makeSystemHost();

private slots:
    void initTestCase() {
        QVERIFY(scratch_.isValid());
        library_ = fs::path(scratch_.path().toStdString()) / "modsetup";
        options_.soundBytes = 301;  // odd: the data chunk needs its pad byte
        QVERIFY(demo::writeDemoLibrary(library_, options_));
    }

    void modIniNamesTheMod() {
        LineFile handle(*host_);
        ProcessStrings strings;
        strings.configBase = library_.string();
        readModIni(handle, strings);
        QCOMPARE(strings.modTitle, std::string("Demo Mod Setup"));
        QCOMPARE(strings.modName, std::string("DemoMod"));
    }

    void everySlotFolderHoldsItsSets() {
        std::set<std::string> slotFolders;
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            const std::vector<std::string> names = demo::demoSetNames(slot, options_);
            QCOMPARE(names.size(), options_.setsPerSlot);
            const std::set<std::string> expected(names.begin(), names.end());
            QCOMPARE(expected.size(), names.size());  // no name twice in a slot
            QCOMPARE(subFolders(library_ / std::string(kSlots[slot].folder)), expected);
            slotFolders.insert(std::string(kSlots[slot].folder));
        }
        QCOMPARE(slotFolders.size(), std::size_t{15});
        QCOMPARE(subFolders(library_), slotFolders);
        QCOMPARE(demo::demoSetNames(kTeamAlpha, options_), demo::demoSetNames(kTeamBravo, options_));
    }

    void setNamesStayDistinctPastTheThemes() {
        DemoOptions many;
        many.setsPerSlot = 25;
        for (std::size_t slot : {std::size_t{kPrimary1}, std::size_t{kTeamAlpha}}) {
            const std::vector<std::string> names = demo::demoSetNames(slot, many);
            QCOMPARE(std::set<std::string>(names.begin(), names.end()).size(), std::size_t{25});
            for (const auto& name : names) QVERIFY2(name.find(' ') != std::string::npos, name.c_str());
        }
    }

    void everyBitmapIsValidWithTheKeyInItsCorner() {
        const std::vector<fs::path> bitmaps = filesWithExtension(library_, ".bmp");
        QVERIFY(bitmaps.size() > 400);
        for (const fs::path& path : bitmaps) {
            const std::string bytes = readAll(path);
            const QByteArray where = QByteArray::fromStdString(path.string());
            QVERIFY2(bytes.size() > 54 && bytes.compare(0, 2, "BM") == 0, where);
            QVERIFY2(le(bytes, 2, 4) == bytes.size(), where);
            QVERIFY2(le(bytes, 14, 4) == 40 && le(bytes, 28, 2) == 24 && le(bytes, 30, 4) == 0, where);
            const std::uint32_t width = le(bytes, 18, 4);
            const std::uint32_t height = le(bytes, 22, 4);
            QVERIFY2(le(bytes, 10, 4) + ((width * 3 + 3) & ~3u) * height == bytes.size(), where);
            // Rows are stored bottom-up: the first pixel is the bottom-left one,
            // stored blue, green, red.
            const std::size_t first = le(bytes, 10, 4);
            QVERIFY2(bytes.compare(first, 3, "\xFF\x00\xFF", 3) == 0, where);

            // The program's own reader takes it, and the picture has more than background.
            const std::optional<Picture> picture = decodeBitmap(bytes);
            QVERIFY2(picture.has_value(), where);
            const auto shown = std::count_if(picture->pixels.begin(), picture->pixels.end(),
                                             [](std::uint32_t pixel) { return (pixel >> 24) != 0; });
            QVERIFY2(shown > 0, where);
            QVERIFY2(shown < static_cast<long>(picture->pixels.size()), where);
        }
    }

    void previewsOfEverySetLoad() {
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            for (const std::string& name : demo::demoSetNames(slot, options_)) {
                const SlotPreviewLoad load = loadSlotPreviews(*host_, library_.string(), slot, name);
                QVERIFY2(!load.failure, load.failure ? load.failure->path.c_str() : "");
                QCOMPARE(load.loaded.size(), slotPreviews(slot).size());
            }
        }
    }

    void setsOfASlotLookDifferent() {
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            const std::vector<std::string> names = demo::demoSetNames(slot, options_);
            std::set<std::string> pictures;
            for (const std::string& name : names) {
                const std::string path = previewPath(library_.string(), slot, name, slotPreviews(slot)[0].suffix);
                const PictureLoad load = loadPicture(*host_, path);
                QVERIFY2(load.picture.has_value(), path.c_str());
                pictures.insert(std::string(reinterpret_cast<const char*>(load.picture->pixels.data()),
                                            load.picture->pixels.size() * sizeof(std::uint32_t)));
            }
            QCOMPARE(pictures.size(), names.size());
        }
    }

    void everyInstalledFileIsThere() {
        for (const WeaponCopy& copy : kWeaponCopies) {
            for (const std::string& name : demo::demoSetNames(copy.slot, options_)) {
                const std::string source = setFolderPath(library_.string(), copy.slot, name) + std::string(copy.source);
                QVERIFY2(host_->pathKind(source) == PathKind::File, source.c_str());
            }
        }
        for (const std::string& name : demo::demoSetNames(kTeamAlpha, options_)) {
            const std::string set = setFolderPath(library_.string(), kTeamAlpha, name);
            for (std::string_view file : kSoldierFiles) {
                const std::string source = set + std::string(kSoldierSetFolder) + std::string(file);
                QVERIFY2(host_->pathKind(source) == PathKind::File, source.c_str());
            }
            // 48 pictures directly in the soldier folder and 14 wounded ones in "ranny".
            const fs::path soldier = library_ / "gostek" / name / "Gostek-gfx";
            QCOMPARE(regularFiles(soldier), std::size_t{48});
            QCOMPARE(regularFiles(soldier / "ranny"), std::size_t{14});
        }
    }

    void everySoundIsAWaveFile() {
        const std::vector<fs::path> sounds = filesWithExtension(library_, ".wav");
        QVERIFY(!sounds.empty());
        for (const fs::path& path : sounds) {
            const std::string bytes = readAll(path);
            const QByteArray where = QByteArray::fromStdString(path.string());
            QCOMPARE(bytes.size(), std::size_t{44 + 301 + 1});
            QVERIFY2(bytes.compare(0, 4, "RIFF") == 0 && le(bytes, 4, 4) == bytes.size() - 8, where);
            QVERIFY2(bytes.compare(8, 8, "WAVEfmt ") == 0 && le(bytes, 16, 4) == 16, where);
            QVERIFY2(le(bytes, 20, 2) == 1 && le(bytes, 22, 2) == 1, where);  // PCM, mono
            QVERIFY2(le(bytes, 24, 4) == 8000 && le(bytes, 28, 4) == 8000, where);
            QVERIFY2(le(bytes, 32, 2) == 1 && le(bytes, 34, 2) == 8, where);
            QVERIFY2(bytes.compare(36, 4, "data") == 0 && le(bytes, 40, 4) == 301, where);
            const auto loudest = std::max_element(bytes.begin() + 44, bytes.end() - 1, [](char a, char b) {
                return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
            });
            QVERIFY2(static_cast<unsigned char>(*loudest) > 160, where);  // a tone, not silence
        }
    }

    void oneSetPerWeaponSlotTakesItsNameFromItsFolder() {
        for (std::size_t slot = 0; slot < kWeaponSlotCount; ++slot) {
            int zeros = 0;
            for (const std::string& name : demo::demoSetNames(slot, options_)) {
                const fs::path set = library_ / std::string(kSlots[slot].folder) / name;
                const std::vector<std::string> lines = crlfLines(readAll(set / "name.txt"));
                QCOMPARE(lines.size(), std::size_t{1});
                QVERIFY(!lines[0].empty());
                if (lines[0] == "0") ++zeros;
            }
            QCOMPARE(zeros, 1);
        }
    }

    void statisticsFilesHoldNineNumbers() {
        for (std::size_t slot = 0; slot < kWeaponSlotCount; ++slot) {
            std::set<std::string> distinct;
            for (const std::string& name : demo::demoSetNames(slot, options_)) {
                const std::string text = readAll(library_ / std::string(kSlots[slot].folder) / name / "stats.ini");
                const std::vector<std::string> lines = crlfLines(text);
                QCOMPARE(lines.size(), std::size_t{9});
                for (const std::string& line : lines) {
                    QVERIFY2(!line.empty() && std::all_of(line.begin(), line.end(), ::isdigit), line.c_str());
                }
                distinct.insert(text);
            }
            QVERIFY(distinct.size() > 1);
        }
    }

    void startingSelectionsNameExistingSets() {
        const fs::path program = library_.string() + ".exe";
        const std::string configBase = deriveConfigBase(program.string());
        {
            std::ofstream out(configBase + ".ini", std::ios::binary);
            out << demo::demoSelectionsText(options_);
        }
        LineFile handle(*host_);
        const SavedSelections saved = readSelections(handle, configBase);
        QVERIFY(saved.ticksBox);
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            const std::vector<std::string> names = demo::demoSetNames(slot, options_);
            QVERIFY2(std::find(names.begin(), names.end(), saved.texts[slot]) != names.end(),
                     saved.texts[slot].c_str());
        }
        QVERIFY(saved.texts[kTeamAlpha] != saved.texts[kTeamBravo]);
    }

    void theSetLibraryCheckFindsNothing() {
        {
            std::ofstream out(library_.string() + ".ini", std::ios::binary);
            out << demo::demoSelectionsText(options_);
        }
        const check::CheckResult result = check::checkLibrary(*host_, library_.string());
        const std::string first = result.findings.empty() ? "" : check::findingLine(result.findings.front());
        QVERIFY2(result.findings.empty(), first.c_str());
        QCOMPARE(result.sets, 15 * options_.setsPerSlot);
    }

    void failureToWriteIsReported() {
        QTemporaryDir scratch;
        const fs::path root(scratch.path().toStdString());
        DemoOptions one;
        one.setsPerSlot = 1;

        // The library's place is taken by a file.
        std::ofstream(root / "file") << "x";
        QVERIFY(!demo::writeDemoLibrary(root / "file", one));

        // A slot folder's place is taken by a file.
        fs::create_directories(root / "blocked");
        std::ofstream(root / "blocked" / "knife") << "x";
        QVERIFY(!demo::writeDemoLibrary(root / "blocked", one));

        // A set file's place is taken by a folder.
        const std::string set = demo::demoSetNames(kPrimary6, one)[0];
        fs::create_directories(root / "stats" / "6" / set / "stats.ini");
        QVERIFY(!demo::writeDemoLibrary(root / "stats", one));
    }
};

QTEST_GUILESS_MAIN(DemoLibraryTest)
#include "demo_library_test.moc"
