#pragma once
// Audio for the tests: it plays nothing and records every sound it was given.

#include <string>
#include <vector>

#include "core/audio/audio.h"

namespace modsetup::testing {

class RecordingAudio final : public Audio {
public:
    void play(std::string wave) override { played.push_back(std::move(wave)); }
    std::vector<std::string> played;
};

}  // namespace modsetup::testing
