#include <gtest/gtest.h>

#include <functional>

#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "model/ClassSounds.h"
#include "tables/PresetNames.h"

// Through a simulated MIDI cable: after every kind of edit the synth's slot holds exactly what
// the object encodes, so the editor and the synth never drift apart.
class SoundMirrorTest : public SynthFixture {};

TEST_F(SoundMirrorTest, SynthMemoryFollowsEveryEdit) {
    driver.SetCableSpeed(true);
    ClassSounds sounds(midi);
    ASSERT_TRUE(sounds.GetSoundsFromSynth());
    ClassSound& sound = *sounds.Sound(4);

    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"name", [&] { sound.SetName("Mirror"); }},
        {"transpose", [&] { sound.SetTranspose(-7); }},
        {"algorithm 12", [&] { sound.SetAlgorithm(12); }},
        {"wave before fewer nodes", [&] { sound.Node(8)->SetWave(9); }},
        {"algorithm 25 (fewer nodes)", [&] { sound.SetAlgorithm(25); }},
        {"detune", [&] { sound.Node(2)->SetDetune(-33); }},
        {"detone", [&] { sound.Node(0)->SetDetone(-64); }},
        {"fixed", [&] { sound.Node(0)->SetFixed(true); }},
        {"algorithm 15", [&] { sound.SetAlgorithm(15); }},
        {"wave", [&] { sound.Node(7)->SetWave(31); }},
        {"sustain point", [&] { sound.Envelope(2)->SetSustainPoint(5); }},
        {"end point", [&] { sound.Envelope(2)->SetEndPoint(2); }},
        {"rate", [&] { sound.Envelope(2)->SetEnvelopeRate(4, 127); }},
        {"level", [&] { sound.Envelope(2)->SetEnvelopeLevel(1, 1); }},
        {"envelope destination", [&] { sound.Envelope(0)->SetDestinationNode(1, 15); }},
        {"envelope depth", [&] { sound.Envelope(3)->SetDestinationDepth(0, 3); }},
        {"lfo wave", [&] { sound.LFO(1)->SetWave(8); }},
        {"lfo delay", [&] { sound.LFO(1)->SetDelay(-64); }},
        {"lfo rate", [&] { sound.LFO(0)->SetRate(-1); }},
        {"lfo destination", [&] { sound.LFO(0)->SetDestinationNode(1, 14); }},
        {"lfo depth", [&] { sound.LFO(0)->SetDestinationDepth(1, 127); }},
        {"modulation destination", [&] { sound.Modulation(3)->SetDestination(11); }},
        {"key break", [&] { sound.Modulation(3)->SetKeyBreak(78); }},
        {"right to left", [&] { sound.Modulation(3)->SetKeyRightToLeft(true); }},
        {"key depth", [&] { sound.Modulation(0)->SetKeyDepth(-100); }},
        {"velocity", [&] { sound.Modulation(1)->SetVelocity(99); }},
        {"after touch", [&] { sound.Modulation(2)->SetAfterTouch(-1); }},
        {"controller", [&] { sound.Modulation(2)->SetController(64); }},
        {"mod wheel", [&] { sound.Modulation(2)->SetModWheel(-128); }},
        {"default values", [&] { sound.DefaultValues(); }},
        {"send sound", [&] { ASSERT_TRUE(sound.SendSound(Synth().Sound(88))); }},
        {"request sound", [&] { ASSERT_TRUE(sound.RequestSound()); }},
    };
    for (const auto& [label, edit] : edits) {
        SCOPED_TRACE(label);
        edit();
        EXPECT_EQ(Synth().Sound(4), sound.EncodeRawSound());
    }
    EXPECT_EQ(sound.Name(), PresetSoundName(88));
    EXPECT_TRUE(messages.Messages().empty());
    // The other slots were never touched.
    for (int n = 0; n < 20; ++n) {
        if (n == 4)
            continue;
        EXPECT_EQ(Synth().Sound(n), sounds.Sound(n)->EncodeRawSound());
    }
}
