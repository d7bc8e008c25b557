// The bytes behind a list's text: two set folders whose names show the same
// text ("é" in Latin-1 and in UTF-8) stay two sets; the one picked is the one
// previewed, installed and saved.
#include <gtest/gtest.h>

#include <map>

#include "bmp_builder.h"
#include "core/library/config.h"
#include "fake_view.h"
#include "memory_host.h"
#include "recording_audio.h"

namespace modsetup::front {
namespace {

using testing::markerBitmap;
using testing::markerOf;

TEST(ListBytes, AnEntryPickedKeepsItsOwnBytes) {
    testing::MemoryHost host;
    const std::map<std::string, std::uint32_t> sets{{"\xE9", 0x112233}, {"\xC3\xA9", 0x445566}};
    for (const auto& [name, marker] : sets) {
        host.write("C:\\game\\modsetup\\1\\" + name + "\\1.bmp", markerBitmap(marker));
        host.write("C:\\game\\modsetup\\1\\" + name + "\\weapons-gfx\\eagles-bullet.bmp", markerBitmap(marker));
    }
    host.write("C:\\game\\modsetup\\mod.ini", "Mod\r\nMod\r\n");
    host.makeFolder("C:\\game\\mods");

    FakeView view;
    testing::RecordingAudio audio;
    const Utf8OrLatin1Text codec(testCaseFold);
    MainWindowPresenter presenter(host, audio, view, codec);
    presenter.windowCreated();
    ASSERT_EQ(view.entryNames(kPrimary1), (std::vector<std::string>{"\xC3\xA9", "\xC3\xA9"}));

    std::vector<std::string> picked;
    for (int entry : {0, 1, 0}) {
        view.pick(presenter, kPrimary1, entry);
        const std::string bytes = presenter.listBytes(kPrimary1);
        ASSERT_TRUE(sets.contains(bytes));
        EXPECT_EQ(markerOf(*view.picture(1)), sets.at(bytes)) << "entry " << entry;
        EXPECT_EQ(markerOf(*view.picture(15)), sets.at(bytes)) << "entry " << entry;
        presenter.applyPressed();
        EXPECT_EQ(host.read("C:\\game\\modsetup.ini").value_or("").substr(0, bytes.size() + 2), bytes + "\r\n");
        picked.push_back(bytes);
    }
    EXPECT_NE(picked[0], picked[1]);
    EXPECT_EQ(picked[0], picked[2]);

    // Completion keeps the bytes of the entry it completed to, and the text
    // the program restored keeps its own.
    view.edits[kPrimary1] = {};
    view.type(presenter, kPrimary1, "\xC3\xA9");
    EXPECT_EQ(presenter.listBytes(kPrimary1), picked[0]);
    presenter.undoPressed();
    EXPECT_EQ(presenter.listBytes(kPrimary1), picked[0]);
}

}  // namespace
}  // namespace modsetup::front
