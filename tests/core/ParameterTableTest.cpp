#include "SynthFixture.h"
#include "model/ClassGroup.h"
#include "model/ClassSound.h"
#include "tables/ParameterTable.h"

// The parameter table against the model that reads and writes the same bytes: every value a
// parameter can take survives the model's decode and encode untouched and reads back as set, and
// every bit the model keeps belongs to a parameter. A wrong mask, range or offset fails here.
class ParameterTableTest : public SynthFixture {
  protected:
    // The record as the model keeps it: decoded and encoded again.
    RawData Through(const RawData& raw) {
        RawData out(raw.size(), 0);
        if (raw.size() == ParameterTable::kSoundBytes) {
            ClassSound sound(midi);
            sound.DecodeRawSound(raw);
            sound.EncodeRawSound(out);
        } else {
            ClassGroup group(midi);
            group.DecodeRawGroup(raw);
            group.EncodeRawGroup(out);
        }
        return out;
    }

    // Markers count only as one sustain point before one end point, so each is set alone on a
    // base without any; the algorithm rebuilds the nodes, so only its own byte must stay.
    void ExpectModelAgrees(const std::vector<ParameterEntry>& table, RawData base,
                           const std::string& where) {
        for (const ParameterEntry& p : table) {
            if (p.group == ParameterGroup::EnvelopeMarkers)
                base[p.offset] = static_cast<int16_t>(p.Write(base[p.offset], 0));
        }
        base = Through(base);
        for (const ParameterEntry& p : table) {
            for (const int value : {p.min, p.max}) {
                RawData raw = base;
                raw[p.offset] = static_cast<int16_t>(p.Write(raw[p.offset], value));
                EXPECT_EQ(p.Read(raw[p.offset]), value) << where << p.Name();
                const RawData kept = Through(raw);
                if (p.group == ParameterGroup::Algorithm)
                    EXPECT_EQ(kept[p.offset], raw[p.offset]) << where << value;
                else
                    EXPECT_EQ(kept, raw) << where << p.Name() << " = " << value;
            }
        }
        for (int offset = 0; offset < static_cast<int>(base.size()); ++offset) {
            int described = 0;
            for (const ParameterEntry& p : table)
                described |= p.offset == offset ? p.mask : 0;
            for (int bit = 0; bit < 8; ++bit) {
                RawData raw = base;
                raw[offset] = static_cast<int16_t>(raw[offset] ^ (1 << bit));
                const bool noticed = Through(raw) != base;
                EXPECT_EQ(noticed, (described & (1 << bit)) != 0)
                    << where << "byte " << offset << " bit " << bit;
            }
        }
    }
};

TEST_F(ParameterTableTest, EverySoundParameterOfEveryAlgorithmIsWhatTheModelKeeps) {
    for (int algorithm = 0; algorithm < 28; ++algorithm) {
        RawData raw = Synth().Sound(algorithm % 20);
        raw[ParameterTable::kAlgorithmOffset] = static_cast<int16_t>(algorithm);
        ExpectModelAgrees(ParameterTable::Sound(algorithm), raw,
                          "algorithm " + std::to_string(algorithm) + ": ");
    }
    ExpectModelAgrees(ParameterTable::Group(), Synth().Group(3), "group: ");
}

TEST_F(ParameterTableTest, ParametersCarryTheWindowsCaptionsAndPackedFieldsStayApart) {
    auto named = [](const std::vector<ParameterEntry>& table, int offset, int mask) {
        for (const ParameterEntry& p : table) {
            if (p.offset == offset && (p.mask & mask) != 0)
                return p.Name();
        }
        return std::string("none");
    };
    const auto& fm = ParameterTable::Sound(0);
    EXPECT_EQ(named(fm, 120, 0xFF), "Detune of Oscilator 2");
    EXPECT_EQ(named(fm, 14, 0x7F), "Rate 3 of Envelope 1");
    EXPECT_EQ(named(fm, 14, 0x80), "Sustain of Envelope 1");
    EXPECT_EQ(named(fm, 83, 0xFF), "Speed of LFO 2");
    EXPECT_EQ(named(fm, 116, 0xFF), "Algorithm");
    EXPECT_EQ(named(fm, 127, 0xFF), "none");  // an amplifier has no parameters
    EXPECT_EQ(named(ParameterTable::Sound(25), 123, 0x80), "Fixed of Decay");
    EXPECT_EQ(named(ParameterTable::Sound(12), 130, 0xFF), "Wave of Waveselect 1");
    EXPECT_EQ(named(ParameterTable::Group(), 18, 0xFF), "Volume of Bank 3");
    EXPECT_EQ(named(ParameterTable::Group(), 37, 0x10), "Pitch Bend of Bank 6");

    // Each field of a shared byte moves alone: detone and fixed, key break and its direction.
    const ParameterEntry* detone = nullptr;
    const ParameterEntry* fixed = nullptr;
    const ParameterEntry* keyBreak = nullptr;
    const ParameterEntry* direction = nullptr;
    for (const ParameterEntry& p : fm) {
        const std::string name = p.Name();
        detone = name == "Detone of Oscilator 1" ? &p : detone;
        fixed = name == "Fixed of Oscilator 1" ? &p : fixed;
        keyBreak = name == "Key Break of Modulation 3" ? &p : keyBreak;
        direction = name == "Key Break Direction of Modulation 3" ? &p : direction;
    }
    ASSERT_TRUE(detone && fixed && keyBreak && direction);
    EXPECT_EQ(detone->Write(0xC5, -64), 0x80);
    EXPECT_EQ(fixed->Write(0xC5, 0), 0x45);
    EXPECT_EQ(keyBreak->Write(200, 36), 196);
    EXPECT_EQ(direction->Write(196, 0), 60);
    EXPECT_EQ(direction->ValueText(direction->Read(196)), "Right To Left");
}
