#include "tables/PresetNames.h"

const std::array<std::string_view, kPresetSoundCount> kPresetSoundNames = {
    "ChorStrPad", "SynthHorns", "AllTheBizz", "BloozyBox",  "Swishy",     "WireGuitar",
    "Bass",       "SynthEdge",  "JazzOrgan",  "PPG Bell",   "MetalBrass", "Brassoo",
    "Chellow",    "Keyboardo",  "Twinkle",    "SynHarpsi",  "BoomBass",   "MetalKeys",
    "SweepSynth", "BellOrgan",  "PanFlute",   "BrassPad",   "DeepString", "Bass n Pno",
    "PipePuipe",  "Sunbrero",   "Low Bass",   "SynthModWh", "Chapel",     "MalletBrth",
    "BassyBrass", "Trumpet",    "Bach to me", "Prunklett",  "Hefern",     "Clavrozog",
    "XtraLoBass", "Greenbar",   "ShaperPad",  "Cajoladox",  "Chattring",  "HevyAfter",
    "OrchString", "ShowOff",    "SlideFluit", "Shorty",     "ZingBass",   "Pixie",
    "HeySpike",   "PluckBreth", "SynBrass3",  "BigOrgan",   "Costranome", "Funshious",
    "Wibble",     "Swamp",      "HouseBass",  "Pretty",     "Ostende",    "HarpSitar",
    "Plinkety",   "Junk",       "DistGuitar", "Dissonant",  "Harpsichod", "Chime Pno",
    "Pad Bass",   "TightBass",  "Guitar",     "Swellbells", "BowTines",   "SoftPad",
    "CoolSound",  "Falling",    "Megamod",    "Beeper",     "Scintilla",  "MovinTrain",
    "Drumkit 1",  "Drumkit 2"};

std::string_view PresetSoundName(int number) {
    if (number < kFirstPresetSound || number >= kFirstPresetSound + kPresetSoundCount)
        return "";
    return kPresetSoundNames[number - kFirstPresetSound];
}
