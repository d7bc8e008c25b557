// The program's own audio path on Linux: a click on a picture and the shot
// key in the Qt window, the presenter, the host's read and SDL's audio, with
// SDL's disk driver writing what the device plays into a file. The shots are
// in the format the device is opened with (16-bit stereo at 44,100 Hz), so
// SDL passes their samples through unconverted and the file must hold them
// byte for byte.
#include <QTest>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "core/audio/audio.h"
#include "qt/picture_view.h"
#include "qt/slot_list.h"
#include "wave_builder.h"
#include "window_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;

class ShotAudioTest : public QObject {
    Q_OBJECT

private slots:
    void aNewShotStopsTheOnePlayingAndIsPlayedWhole();
};

void ShotAudioTest::aNewShotStopsTheOnePlayingAndIsPlayedWhole() {
    Scratch scratch;
    const fs::path played = scratch.root() / "played.raw";
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QByteArray::fromStdString(played.string()));

    // Stereo frames that are never silent, different for each shot.
    const auto samples = [](std::size_t frames, int seed) {
        std::string bytes;
        for (std::size_t i = 0; i < frames * 4; ++i) bytes += static_cast<char>(1 + (seed * 53 + i * 37) % 250);
        return bytes;
    };
    const std::string longShot = samples(5 * 44100, 1);  // five seconds: cut short by the next shot
    const std::string shortShot = samples(4410, 2);
    writeModIni(scratch, "Shots", "ShotMod");
    writeFile(scratch.library() / "1/Gold/sfx/deserteagle-fire.wav", testing::pcmWave(longShot, 2, 44100));
    writeFile(scratch.library() / "2/Gold/sfx/mp5-fire.wav", testing::pcmWave(shortShot, 2, 44100));
    writeSelections(scratch, {"Gold", "Gold"}, "0");

    auto audio = makeSystemAudio();
    auto window = std::make_unique<qt::MainWindow>(scratch.host(), *audio, scratch.recorder.report());
    QVERIFY2(!fs::exists(played), "the device is opened on the first shot, not at start");
    QTest::mouseClick(window->image(1), Qt::LeftButton);
    QVERIFY(fs::exists(played));
    const auto clicked = fs::file_size(played);
    QTest::keyClick(comboBox(*window, kPrimary2), Qt::Key_F5);

    // The device writes in real time: a second past the short shot's length
    // it has written the whole shot.
    const auto enough = clicked + shortShot.size() + 2 * 44100 * 2;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (fs::file_size(played) < enough && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    window.reset();
    audio.reset();  // closes the device and its file

    const std::string bytes = testing::readFile(played);
    QVERIFY2(bytes.find(shortShot) != std::string::npos, "the second shot is played whole");
    QVERIFY2(bytes.find(longShot) == std::string::npos, "the first shot is cut short");
}

QTEST_MAIN(ShotAudioTest)
#include "shot_audio_test.moc"
